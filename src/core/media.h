#pragma once
// Role: sounds, text playback and the picture exchange, as the features that trigger them see
// them.
#include <string>

namespace korbi::core {

class Media {
  public:
    virtual ~Media() = default;

    virtual void PlaySound(const std::string& file) = 0;
    virtual void PlayTextFile(const std::string& file, int slot) = 0;
    virtual bool CheckFileExist(const std::string& path) const = 0;
    virtual bool IsFetching() const = 0;
    virtual void FetchFile(const std::string& host, const std::string& path) = 0;
    virtual void RefreshPict(const std::string& picture) = 0;
};

} // namespace korbi::core
