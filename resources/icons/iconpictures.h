#pragma once

#include <QImage>
#include <cstdint>

class IconPictures;

// The pictures of the icon values (0 to 47) and the link and note markers (-7 to -1),
// drawn from the SVG files built into the program.

// The picture of a value in a slot of 20 x 19 at scale 1, with a transparent
// background. A null image for a value outside -7..47 or a scale outside 1..16.
QImage iconPicture(std::int32_t value, int scale = 1);

// Fills every entry of the model's table at scale 1.
void loadIconPictures(IconPictures& table);
