#pragma once
// The pixel work of drawing the balloon: the pointer's band, the shadow's mask and
// the final blend of balloon and shadow over the screen contents beneath.

#include "ui/controls/balloon_tip/balloon_geometry.h"
#include "ui/markup/pixel_buffer.h"

namespace velmora {

// Fills the pointer's band of the window's background by stretching the body's
// edge row (or column) next to it.
void FillPointerBand(PixelBuffer& background, const BalloonGeometry& g);

// The shadow's mask: the shape moved by (dx, dy), with a soft edge of depthX x
// depthY pixels (each kept to 1-64) when `gradient` is set.
PixelMask ShadowMask(const PixelMask& shape, int dx, int dy, int depthX, int depthY, bool gradient);

// The shadow's grey level: 255 x (100 - darkness) / 100, lightened by the
// transparency to G + (255 - G) x transparency / 100 (both percentages kept to 0-100).
int ShadowGrey(int darkness, int transparency);

// Draws over `backdrop` (the screen beneath, same size): darkened to `grey` through
// the shadow's mask, then the balloon inside its shape at (100 - transparency)
// percent opacity.
void ComposeBalloon(PixelBuffer& backdrop, const PixelBuffer& balloon, const PixelMask& shape,
                    const PixelMask* shadow, int grey, int transparency);

}  // namespace velmora
