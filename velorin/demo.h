#pragma once

#include "context.h"

namespace velorin {

// Login and password of the demo account, and the prefix of its adventure.
inline constexpr char kDemoLogin[] = "demo";
inline constexpr char kDemoPrefix[] = "casa";

// Seeds the demo account with a small adventure: text and image pages
// that link to each other, icons, objects, pictures and sounds. Does
// nothing when the account is already there, so a restart keeps changes.
void seedDemo(Context &context);

} // namespace velorin
