// The answers of the question about unsaved changes (Yes/No/Cancel), shared by the prompts and the
// rule that decides whether a command may go on.
#pragma once

namespace tavrin {

enum class SaveAnswer { Yes, No, Cancel };

} // namespace tavrin
