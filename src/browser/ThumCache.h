// The grid's cell pictures, kept so that re-sorts, searches and revisits draw without decoding
// again: at most a given number, the least recently used going first, all made for one box size.
// Each picture is kept with the byte count and the last-write time its file had, as the folder
// listing reported them, and serves only while the listing reports the same: a file replaced under
// its own name is decoded again. A picture left empty for lack of memory is kept as any other; the
// grid tells when to make it again.
#pragma once

#include "browser/ThumbnailMaker.h"

#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>

// What the listing says of a file that tells one version of it from the next.
struct ThumFileStamp {
    uint64_t size = 0;
    uint64_t modified = 0; // UTC file time of the last write
    bool operator==(const ThumFileStamp&) const = default;
};

class ThumCache {
public:
    explicit ThumCache(size_t capacity) : capacity_(capacity < 1 ? 1 : capacity) {}

    // How many pictures it keeps (at least one); the least recently used beyond it go at once.
    [[nodiscard]] size_t Capacity() const { return capacity_; }
    void Capacity(size_t capacity);

    // Forgets every picture when the box differs from the one they were made for.
    void MatchBox(int32_t width, int32_t height);
    // The picture of path made while the file was as stamp says, marked as used now; null when
    // there is none (never made, let go, or the file has changed since).
    [[nodiscard]] const CellPicture* Find(const std::wstring& path, const ThumFileStamp& stamp);
    // The picture made while the file was as stamp says, if kept, left where it is in the order of use.
    [[nodiscard]] const CellPicture* Kept(const std::wstring& path, const ThumFileStamp& stamp) const;
    // Keeps a picture just made of path as stamp describes the file, in place of an older one.
    const CellPicture& Remember(const std::wstring& path, const ThumFileStamp& stamp, CellPicture picture);
    void Forget(const std::wstring& path);

    [[nodiscard]] size_t Count() const { return pictures_.size(); }
    // Pictures kept since the cache was made.
    [[nodiscard]] int32_t PicturesMade() const { return picturesMade_; }

private:
    struct Entry {
        CellPicture picture;
        ThumFileStamp stamp;
        std::list<std::wstring>::iterator age;
    };
    size_t capacity_;
    std::unordered_map<std::wstring, Entry> pictures_;
    std::list<std::wstring> ages_; // most recently used first
    int32_t boxWidth_ = 0, boxHeight_ = 0;
    int32_t picturesMade_ = 0;
};
