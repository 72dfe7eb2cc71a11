// Any bytes as a tile sheet, loaded with its mask as start-up loads every sheet.
#include "cls_bitmap.h"
#include "fuzz_folder.h"

#include <QGuiApplication>

using namespace gf;

namespace {

struct Target {
    Target() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    int argc = 1;
    char name[16] = "fuzz_tile_sheet";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;
    fuzz::FuzzFolder folder;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static Target t;
    const std::string path = t.folder.write("sheet.bmp", data, size);
    clsBitmap sheet;
    if (sheet.LoadBitmap(path, true)) {
        fuzz::require(sheet.Width() > 0 && sheet.Height() > 0, "a loaded sheet has no pixels");
        fuzz::require(sheet.image().size() == sheet.masked().size(), "the mask does not fit the picture");
        fuzz::require(sheet.Width() == sheet.image().width() && sheet.Height() == sheet.image().height(),
                      "the sheet's size is not its picture's");
    } else {
        fuzz::require(sheet.empty() && sheet.Width() == 0 && sheet.Height() == 0,
                      "a sheet that failed to load is not empty");
    }
    return 0;
}
