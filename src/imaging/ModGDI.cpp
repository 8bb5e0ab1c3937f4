#include "imaging/ModGDI.h"

#include "platform/TextCase.h"

#include <vector>

std::wstring PtrToStrW(const wchar_t* p) {
    return p ? std::wstring(p) : std::wstring();
}

GUID CLSIDFromStr(const std::wstring& text) {
    GUID id{};
    if (FAILED(::CLSIDFromString(text.c_str(), &id))) id = GUID{};
    return id;
}

int GetEncoderClsid(const std::wstring& mimeType, CLSID& clsid) {
    UINT count = 0, bytes = 0;
    if (GdipGetImageEncodersSize(&count, &bytes) != Ok || bytes == 0 || count == 0) return -1;
    // The list holds the records followed by the strings they point into: one aligned block.
    std::vector<ImageCodecInfo> buffer((bytes + sizeof(ImageCodecInfo) - 1) / sizeof(ImageCodecInfo));
    if (GdipGetImageEncoders(count, bytes, buffer.data()) != Ok) return -1;
    for (UINT i = 0; i < count; ++i) {
        if (CompareNoCase(PtrToStrW(buffer[i].MimeType), mimeType) == 0) {
            clsid = buffer[i].Clsid;
            return static_cast<int>(i) + 1;
        }
    }
    return -1;
}

std::wstring EncoderMimeType(int32_t format) {
    static const wchar_t* const kTypes[] = {L"image/bmp",   L"image/jpeg", L"image/gif", L"image/x-emf",
                                            L"image/x-wmf", L"image/tiff", L"image/png"};
    if (format < 0 || format > 6) return {};
    return kTypes[format];
}
