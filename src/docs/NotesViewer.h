#pragma once
// The notes viewer as the document rules see it: a window that shows one HTML file.
#include <filesystem>

namespace kv::docs {

class NotesViewer {
  public:
    virtual ~NotesViewer() = default;
    virtual void Load(const std::filesystem::path& file) = 0;  // replaces the content
    virtual void ShowNormal() = 0;                             // restored to normal size, not modal
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
};

}  // namespace kv::docs
