#pragma once
// One picture file cut into 32 x 32 tiles. The mask work is done once here,
// so a transparent tile costs one composite when it is drawn.
#include <QImage>

#include <cstdint>
#include <string>
#include <vector>

namespace gf {

class TileSheet {
public:
    // The path is in the file system's encoding. False leaves the object empty.
    bool load(const std::string& path, bool withMask = false);

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    bool empty() const { return image_.isNull(); }

    // The picture as loaded, every pixel opaque.
    const QImage& image() const { return image_; }
    // Premultiplied, pure white fully transparent; null unless loaded with the mask.
    const QImage& masked() const { return masked_; }

    // What tile n of the masked picture covers, worked out once at load so
    // drawing can skip a blank tile and copy a solid one without blending.
    enum class Cover : uint8_t { Mixed, None, Full };
    Cover cover(int tile) const {
        return tile >= 0 && static_cast<std::size_t>(tile) < covers_.size()
                   ? covers_[static_cast<std::size_t>(tile)]
                   : Cover::Mixed;
    }

private:
    QImage image_;
    QImage masked_;
    std::vector<Cover> covers_;
    int32_t width_ = 0;
    int32_t height_ = 0;
};

} // namespace gf
