#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace rivo::tool {

// Bytes that are readable after the end of every InputText: the fast JSON
// reader loads its input in wide blocks.
inline constexpr std::size_t kTextPadding = 64;

// The text of a model file as engineers get them: plain, or compressed with
// gzip (archives and mail keep models so), saved by a Windows editor with a
// UTF-8 byte-order mark. A plain regular file is mapped, so that a large
// network document is read straight from the page cache; a compressed one is
// decompressed into memory, and messages about it count lines and columns
// in the decompressed text.
class InputText {
public:
    // Reads the file `path`: mapped or read, decompressed when it is gzip,
    // without its byte-order mark. Throws InputError naming the file when it
    // cannot be read or decompressed, or is no text: a NUL byte, which every
    // UTF-16 file of Latin text has, or a UTF-16 byte-order mark.
    static InputText FromFile(const std::string& path);
    // The same for the bytes of a file given in memory; `name` stands for
    // the file in messages.
    static InputText FromBytes(std::string_view bytes, std::string_view name);
    // The bytes as they are, only padded: a text a caller made itself.
    static InputText Copy(std::string_view bytes);

    // The text, followed by kTextPadding readable bytes.
    std::string_view View() const { return {bytes_.get() + start_, size_ - start_}; }

    // Whether the text is a network document rather than a SWMM model: one
    // is a JSON object, the other starts with a `[SECTION]` header or a `;`
    // comment. A text that shows neither (an empty one, or one that is
    // neither) is what the name of its file says: `.inp` or `.inp.gz` for a
    // SWMM model, anything else for a network document.
    bool IsNetworkDocument(std::string_view path) const;

private:
    // Releases the bytes: unmaps a mapped file (with its padding), or
    // deletes an allocated buffer.
    struct Release {
        std::size_t mappedLength;  // 0 for an allocated buffer
        void operator()(char* bytes) const;
    };

    InputText() = default;
    static InputText WithCapacity(std::size_t capacity);
    void Grow(std::size_t capacity);
    void Pad();
    bool Map(int fd, std::size_t size);
    bool ReadToEnd(std::FILE* file);
    static InputText Inflate(std::string_view compressed, std::string_view name);
    void Decode(std::string_view name);

    std::unique_ptr<char, Release> bytes_;
    std::size_t size_ = 0;      // bytes read, the byte-order mark included
    std::size_t capacity_ = 0;  // room for bytes before the padding
    std::size_t start_ = 0;     // past a byte-order mark
};

// Whether `path` names a SWMM input file by its extension: `.inp` or
// `.inp.gz`, in any case.
bool IsSwmmPath(std::string_view path);

}  // namespace rivo::tool
