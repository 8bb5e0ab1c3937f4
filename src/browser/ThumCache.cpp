#include "browser/ThumCache.h"

void ThumCache::MatchBox(int32_t width, int32_t height) {
    if (boxWidth_ == width && boxHeight_ == height) return;
    pictures_.clear();
    ages_.clear();
    boxWidth_ = width;
    boxHeight_ = height;
}

void ThumCache::Capacity(size_t capacity) {
    capacity_ = capacity < 1 ? 1 : capacity;
    while (pictures_.size() > capacity_) {
        pictures_.erase(ages_.back());
        ages_.pop_back();
    }
}

const CellPicture* ThumCache::Find(const std::wstring& path, const ThumFileStamp& stamp) {
    const auto found = pictures_.find(path);
    if (found == pictures_.end() || found->second.stamp != stamp) return nullptr;
    ages_.splice(ages_.begin(), ages_, found->second.age);
    return &found->second.picture;
}

const CellPicture* ThumCache::Kept(const std::wstring& path, const ThumFileStamp& stamp) const {
    const auto found = pictures_.find(path);
    return found != pictures_.end() && found->second.stamp == stamp ? &found->second.picture : nullptr;
}

const CellPicture& ThumCache::Remember(const std::wstring& path, const ThumFileStamp& stamp, CellPicture picture) {
    ++picturesMade_;
    if (const auto found = pictures_.find(path); found != pictures_.end()) {
        found->second.picture = std::move(picture);
        found->second.stamp = stamp;
        ages_.splice(ages_.begin(), ages_, found->second.age);
        return found->second.picture;
    }
    if (pictures_.size() >= capacity_) {
        pictures_.erase(ages_.back());
        ages_.pop_back();
    }
    ages_.push_front(path);
    return pictures_.emplace(path, Entry{std::move(picture), stamp, ages_.begin()}).first->second.picture;
}

void ThumCache::Forget(const std::wstring& path) {
    const auto found = pictures_.find(path);
    if (found == pictures_.end()) return;
    ages_.erase(found->second.age);
    pictures_.erase(found);
}
