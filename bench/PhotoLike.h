#pragma once

#include <QImage>

namespace dovra::bench {

// A picture of the given size with smooth shading and fine grain, so that it compresses about as
// badly as a photo does.
QImage photoLike(int width, int height);

} // namespace dovra::bench
