#include "map/map_file.h"

#include "map/layer.h"

namespace gf {

bool inMap(int64_t x, int64_t y) {
    return x >= 0 && x <= kMapUpper && y >= 0 && y <= kMapUpper;
}

} // namespace gf
