#include "cli/cli_pictures.h"

namespace tavrin::cli {

const PictureCodec& CliPictureCodec() {
    static const PictureCodec none;
    return none;
}

} // namespace tavrin::cli
