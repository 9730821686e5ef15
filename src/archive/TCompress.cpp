#include "archive/TCompress.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <optional>
#include <system_error>

#include "archive/ArchiveReader.h"
#include "archive/FileSystem.h"
#include "archive/Headers.h"
#include "archive/MemberPath.h"
#include "archive/Replacement.h"
#include "archive/SafeName.h"
#include "archive/TCompThreadSafety.h"

namespace kv::archive {

namespace {

// An archive stream whose write failures become EInsufficientDiskSpace with the given message.
class TGuardedStream : public TStream {
  public:
    TGuardedStream(TStream& inner, const char* message) : Inner(inner), Message(message) {}
    size_t Read(void* buffer, size_t count) override { return Inner.Read(buffer, count); }
    void Write(const void* buffer, size_t count) override {
        try {
            Inner.Write(buffer, count);
        } catch (const std::system_error&) {
            throw EInsufficientDiskSpace(Message);
        }
    }
    int64_t Seek(int64_t offset) override { return Inner.Seek(offset); }
    int64_t Position() const override { return Inner.Position(); }
    int64_t Size() const override { return Inner.Size(); }

  private:
    TStream& Inner;
    const char* Message;
};

std::string ChangeExtension(const std::string& name, const std::string& extension) {
    size_t dot = name.find_last_of('.');
    size_t separator = name.find_last_of("\\/");
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator))
        return name + extension;
    return name.substr(0, dot) + extension;
}

// Whether `name` begins with the directory `prefix`; "\\" and "/" separate alike.
bool StartsWithName(const std::string& name, const std::string& prefix) {
    return name.size() >= prefix.size() &&
           SameName(NativePath(name.substr(0, prefix.size())), NativePath(prefix));
}

bool Listed(const std::vector<std::string>& list, const std::string& name) {
    return std::any_of(list.begin(), list.end(),
                       [&](const std::string& e) { return SameName(e, name); });
}

void RemoveListed(std::vector<std::string>& list, const std::string& name) {
    std::erase_if(list, [&](const std::string& e) { return SameName(e, name); });
}

// Copies count bytes; false when the source ends first.
bool CopyBytes(TStream& from, TStream& to, int64_t count) {
    uint8_t chunk[TCompThreadSafety::BufferSize];
    while (count > 0) {
        size_t want = static_cast<size_t>(std::min<int64_t>(count, sizeof chunk));
        size_t got = from.Read(chunk, want);
        to.Write(chunk, got);
        if (got < want) return false;
        count -= static_cast<int64_t>(got);
    }
    return true;
}

void WriteArchiveHeader(TStream& archive, const TArchiveHeader& header) {
    archive.Seek(0);
    auto bytes = header.Pack();
    archive.Write(bytes.data(), bytes.size());
}

}  // namespace

TCompress::TCompress() : Codec(std::make_unique<TCompThreadSafety>()) {}
TCompress::~TCompress() = default;

void TCompress::SetTargetPath(const std::string& path) {
    Target = path;
    if (!Target.empty() && Target.back() != '\\' && Target.back() != '/') Target += '\\';
}

void TCompress::CompressFileList(const std::string& ArchiveName, std::vector<std::string>& FileList,
                                 TCompressMethod Method) {
    const bool update = FileExists(NativePath(ArchiveName));
    const std::string workName = update ? ChangeExtension(ArchiveName, ".$$$") : ArchiveName;
    // An archive never contains itself, nor, in update mode, the archive it replaces.
    RemoveListed(FileList, workName);
    RemoveListed(FileList, ArchiveName);
    try {
        std::unique_ptr<TFileStream> file;
        try {
            file = std::make_unique<TFileStream>(NativePath(workName), TFileStream::Create);
        } catch (const std::system_error&) {
            throw EInsufficientDiskSpace(msg::DiskFullCompressing);
        }
        WriteArchive(*file, FileList, Method);
        file->Close();
    } catch (...) {
        std::remove(NativePath(workName).c_str());
        throw;
    }
    if (!update) return;
    try {
        MergeOldArchive(ArchiveName, workName, FileList);
    } catch (...) {
        std::remove(NativePath(workName).c_str());  // the old archive stays as it was
        throw;
    }
    // The work file takes the archive's name in one step: the old archive is never lost first.
    if (std::rename(NativePath(workName).c_str(), NativePath(ArchiveName).c_str()) != 0)
        throw std::system_error(errno, std::generic_category(),
                                "Cannot replace \"" + ArchiveName + "\"");
}

void TCompress::WriteArchive(TFileStream& file, std::vector<std::string>& FileList,
                             TCompressMethod Method) {
    if (Method != MethodNone && Method != MethodLh5)
        throw std::invalid_argument("Archives are written with the methods NON and LH5 only");
    TGuardedStream archive(file, msg::DiskFullCompressing);
    auto header = TArchiveHeader::Make(MethodIdentifier(Method), 0);
    WriteArchiveHeader(archive, header);
    int64_t total = 0;
    for (size_t i = 0; i < FileList.size();) {
        std::string stored = FileList[i];
        if (!Target.empty() && StartsWithName(stored, Target)) stored.erase(0, Target.size());
        if (stored.size() > 2 && stored[1] == ':') stored.erase(0, 2);
        std::unique_ptr<TFileStream> source;
        try {
            source = std::make_unique<TFileStream>(NativePath(FileList[i]), TFileStream::OpenRead);
        } catch (const std::system_error&) {
            if (ExceptionOnFileError) throw;
            FileList.erase(FileList.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        FileList[i] = stored;
        TSourceInfo info = ReadSourceInfo(source->Handle());
        total += info.Size;
        if (info.Size > INT32_MAX || total > INT32_MAX)
            throw std::length_error("Archive members are limited to 2147483647 bytes in all");
        WriteMember(archive, *source, stored, static_cast<int32_t>(info.Size), info.DateTime,
                    info.Attributes, Method);
        ++i;
    }
    header.TotalSize = static_cast<int32_t>(total);
    WriteArchiveHeader(archive, header);
}

void TCompress::WriteMember(TStream& archive, TStream& source, const std::string& storedName,
                            int32_t size, uint32_t dateTime, uint16_t attributes,
                            TCompressMethod method) {
    const int64_t headerAt = archive.Position();
    TMemberHeader header;
    header.NameLength = static_cast<int16_t>(std::min<size_t>(storedName.size(), INT16_MAX));
    auto bytes = header.Pack();
    archive.Write(bytes.data(), bytes.size());
    archive.Write(storedName.data(), static_cast<size_t>(header.NameLength));
    const int64_t dataAt = archive.Position();

    TEncodeResult coded;
    try {
        coded = Codec->EncodeMember(method, source, archive, size);
    } catch (const EUnableToCompress&) {
        archive.Seek(dataAt);
        source.Seek(0);
        method = MethodNone;
        coded = Codec->EncodeMember(method, source, archive, size);
    }
    header.DateTime = dateTime;
    header.Attributes = attributes;
    header.UncompressedSize = size;
    header.CompressedSize = coded.CodedSize;
    header.Method = method;
    header.Checksum = coded.Checksum;
    bytes = header.Pack();
    archive.Seek(headerAt);
    archive.Write(bytes.data(), bytes.size());
    archive.Seek(dataAt + coded.CodedSize);
}

void TCompress::MergeOldArchive(const std::string& oldName, const std::string& workName,
                                const std::vector<std::string>& fileList) {
    TFileStream old(NativePath(oldName), TFileStream::OpenRead);
    TFileStream workFile(NativePath(workName), TFileStream::OpenReadWrite);
    TGuardedStream work(workFile, msg::DiskFullMerging);
    if (old.Size() <= ArchiveHeaderSize + MemberHeaderSize) return;

    uint8_t bytes[ArchiveHeaderSize];
    old.Read(bytes, sizeof bytes);
    TArchiveHeader header = TArchiveHeader::Unpack(bytes);
    if (work.Size() > ArchiveHeaderSize) {
        work.Read(bytes, sizeof bytes);
        header = TArchiveHeader::Unpack(bytes);
        work.Seek(work.Size());
    } else {
        header.TotalSize = 0;
        WriteArchiveHeader(work, header);
    }
    TMemberHeader member;
    std::string name;
    try {
        while (ReadMember(old, member, name)) {
            if (Listed(fileList, name)) {
                old.Seek(old.Position() + member.CompressedSize);
                continue;
            }
            auto memberBytes = member.Pack();
            work.Write(memberBytes.data(), memberBytes.size());
            work.Write(name.data(), name.size());
            if (!CopyBytes(old, work, member.CompressedSize)) break;
            header.TotalSize = static_cast<int32_t>(static_cast<uint32_t>(header.TotalSize) +
                                                    static_cast<uint32_t>(member.UncompressedSize));
        }
    } catch (const EInvalidHeader&) {
        // A damaged old member ends the merge like a short one.
    }
    WriteArchiveHeader(work, header);
}

void TCompress::ExpandArchive(const std::string& ArchiveName, std::vector<std::string>* FileList) {
    TArchiveReader reader(NativePath(ArchiveName));
    struct stat archiveFile {};
    if (::fstat(reader.Stream().Handle(), &archiveFile) != 0)
        throw std::system_error(errno, std::generic_category(),
                                "Cannot read \"" + ArchiveName + "\"");
    std::vector<std::string> written;
    int64_t running = 0;
    TMemberHeader header;
    std::string name;
    while (reader.NextMember(header, name)) {
        bool counted = true;
        if (!FileList || Selected(*FileList, name)) {
            counted = ExpandMember(reader, archiveFile, header, name);
            if (counted) written.push_back(Target + name);
        }
        reader.SkipData();
        if (counted) running += header.UncompressedSize;
        if (running >= reader.Header().TotalSize) break;
    }
    if (FileList) *FileList = written;
}

bool TCompress::Selected(const std::vector<std::string>& fileList, const std::string& name) const {
    if (ExactMemberNames)
        return std::find(fileList.begin(), fileList.end(), name) != fileList.end();
    return Listed(fileList, name);
}

bool TCompress::ExpandMember(TArchiveReader& reader, const struct stat& archiveFile,
                             const TMemberHeader& header, const std::string& name) {
    if (!IsSafeMemberName(name)) throw EUnsafeMemberName(name);
    if (header.Method == MethodCustom || header.Method >= MethodCount)
        throw EUnsupportedMethod(name);
    // Refused before anything is created, so that a file of that name survives.
    if (header.Locked > 0) throw EInvalidKey();
    const std::string target = Target + name;
    if (CheckSpaceBeforeExpand && AvailableSpace(NativePath(target)) < header.UncompressedSize)
        throw EInsufficientDiskSpace(msg::NoSpaceToExpand + target);
    std::optional<TDirectory> dir;
    std::optional<TReplacement> file;
    std::string leaf;
    try {
        dir.emplace(OpenMemberDirectory(OpenFolder(NativePath(Target), MakeDirectories), name,
                                        MakeDirectories, leaf));
        if (dir->Holds(leaf, archiveFile)) throw EMemberIsArchive(name);
        file.emplace(*dir, leaf);
    } catch (const std::system_error&) {
        if (ExceptionOnFileError) throw;
        return false;  // a file that cannot be created is skipped
    }
    DecodeAndCheck(*Codec, reader.Stream(), file->File(), header);
    SetFileTime(file->File().Handle(), header.DateTime);
    SetAttributes(file->File().Handle(), header.Attributes);
    try {
        file->Commit();
    } catch (const std::system_error&) {
        if (ExceptionOnFileError) throw;
        return false;
    }
    return true;
}

}  // namespace kv::archive
