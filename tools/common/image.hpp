#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace gloamfell::tools {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Pure white is the transparent key of every sheet the game draws.
inline constexpr Rgb kTransparent{255, 255, 255};

class Image {
public:
    Image(int width, int height, Rgb fill = kTransparent);

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Rgb at(int x, int y) const { return pixels_[index(x, y)]; }
    void set(int x, int y, Rgb c);

    // Copies src into this image with its top-left corner at (x, y).
    void blit(const Image& src, int x, int y);

    // 24-bit uncompressed bottom-up BMP.
    std::vector<std::uint8_t> encodeBmp() const;
    void saveBmp(const std::filesystem::path& path) const;

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

} // namespace gloamfell::tools
