// A new archive written without harm to its inputs or to the file it replaces.
#include <sys/stat.h>

#include <filesystem>

#include "archive/FileSystem.h"
#include "archive/MemberPath.h"
#include "archive/Replacement.h"
#include "archive/TCompress.h"

namespace kv::archive {

void TCompress::CreateArchive(const std::string& ArchiveName, std::vector<std::string>& FileList,
                              TCompressMethod Method) {
    const std::filesystem::path path = NativePath(ArchiveName);
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (!path.has_filename() || (exists && S_ISDIR(old.st_mode)))
        throw ECannotCreateArchive("\"" + ArchiveName + "\" is a directory, not an archive");
    // Every input is checked before anything is written, so a failure destroys nothing.
    for (const auto& input : FileList) {
        TFileStream file(NativePath(input), TFileStream::OpenRead);
        struct stat st {};
        if (::fstat(file.Handle(), &st) != 0 || !S_ISREG(st.st_mode))
            throw ECannotCreateArchive("\"" + input + "\" is not a file");
        if (exists && st.st_dev == old.st_dev && st.st_ino == old.st_ino)
            throw ECannotCreateArchive("\"" + input +
                                       "\" is the archive to be written, not one of its files");
    }
    const TDirectory dir = OpenFolder(path.parent_path().string(), false);
    TReplacement archive(dir, path.filename().string());
    WriteArchive(archive.File(), FileList, Method);
    archive.Commit();
}

}  // namespace kv::archive
