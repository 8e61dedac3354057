#include "lang/date_names.h"

namespace tavrin {

const DateNames& EnglishDateNames() {
    static const DateNames names{
        {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
        {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October",
         "November", "December"},
        {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"},
        {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"},
    };
    return names;
}

} // namespace tavrin
