// Built only by the layering test, which expects the second include to fail.
#include "image/bitmap_writer.hpp"
#include "app/settings.hpp"
