// Built only by the layering test, which expects the second include, and only it, to fail.
#include "image/bitmap_writer.hpp"  // the layer this file links

// A layer above the one this file links.
#include "app/settings.hpp"
