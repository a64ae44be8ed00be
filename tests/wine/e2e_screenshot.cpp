#include "e2e_screenshot.h"

#include "host_test_support.h"

namespace dorvane::test {

namespace {

template <typename T>
void Append(std::string& bytes, T value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

bool SaveBitmap(const ScreenShot& shot, const std::wstring& path) {
    const int width = shot.area.right - shot.area.left;
    const int height = shot.area.bottom - shot.area.top;
    if (width <= 0 || height <= 0) return false;
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD pixelBytes = rowBytes * static_cast<DWORD>(height);
    const DWORD headerBytes = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfSize = headerBytes + pixelBytes;
    file.bfOffBits = headerBytes;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = -height;  // rows top to bottom, as captured
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;

    std::string bytes;
    bytes.reserve(file.bfSize);
    Append(bytes, file);
    Append(bytes, info);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF pixel = shot.pixels[static_cast<size_t>(y) * width + x];
            bytes.push_back(static_cast<char>(GetBValue(pixel)));
            bytes.push_back(static_cast<char>(GetGValue(pixel)));
            bytes.push_back(static_cast<char>(GetRValue(pixel)));
        }
        bytes.append(rowBytes - static_cast<DWORD>(width) * 3, '\0');
    }
    return PutFile(path, bytes);
}

bool SaveScreen(const std::wstring& path) {
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return SaveBitmap(CaptureScreen(screen), path);
}

}  // namespace dorvane::test
