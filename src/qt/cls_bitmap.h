#pragma once
// One picture file cut into 32 x 32 tiles. The mask work is done once here,
// so a transparent tile costs one composite when it is drawn.
#include <QImage>

#include <cstdint>
#include <string>

namespace gf {

class clsBitmap {
public:
    // The path is in the file system's encoding. False leaves the object empty.
    bool LoadBitmap(const std::string& strName, bool flgMask = false);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    bool empty() const { return image_.isNull(); }

    // The picture as loaded, every pixel opaque.
    const QImage& image() const { return image_; }
    // Premultiplied, pure white fully transparent; null unless loaded with the mask.
    const QImage& masked() const { return masked_; }

private:
    QImage image_;
    QImage masked_;
    int32_t width_ = 0;
    int32_t height_ = 0;
};

} // namespace gf
