#include "output/atomic_output.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace rivo::tool {
namespace {

namespace fs = std::filesystem;

// Pieces smaller than the stream's buffer are gathered, larger ones go to
// the file as they are: the file holds them all in the order written. The
// path is in the platform's own form (backslashes on Windows), in which the
// temporary file must be made beside the target.
TEST(AtomicOutputFile, SmallAndLargePiecesArriveInOrder) {
    const fs::path path = fs::temp_directory_path() / "rivo_atomic_output_test.txt";
    const std::size_t megabyte = std::size_t{1} << 20;
    std::string expected;
    {
        AtomicOutputFile file(path.string());
        for (const std::size_t size : {std::size_t{5}, 3 * megabyte, std::size_t{7}, megabyte,
                                       megabyte - 1, std::size_t{2}}) {
            const std::string piece(size, static_cast<char>('a' + expected.size() % 26));
            file.stream() << piece;
            expected += piece;
        }
        file.Commit();
    }
    std::ifstream in(path, std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(in), {}};
    in.close();
    fs::remove(path);
    EXPECT_TRUE(written == expected);
}

}  // namespace
}  // namespace rivo::tool
