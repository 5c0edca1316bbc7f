// Any file as a parameter file: it loads (its first 64 bytes at most),
// decodes, saves and loads back byte for byte.
#include "FuzzCheck.h"
#include "params/ParameterDecoder.h"
#include "params/ParameterFile.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace dravinor;
namespace fs = std::filesystem;

using dravinor::fuzz::check;
using dravinor::fuzz::workDirectory;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fs::path file = workDirectory() / "in.PAR";
    const fs::path saved = workDirectory() / "out.PAR";
    fs::remove(saved);
    fs::remove(workDirectory() / "out.BAK");
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    params::ParameterBlock block;
    block.bytes().fill(0xA5);
    const auto loaded = params::loadParameterFile(file, block);
    check(loaded.ok());
    check(loaded.fileSize == size);
    const std::size_t taken = std::min<std::size_t>(size, params::ParameterBlock::size);
    check(loaded.bytesLoaded == taken);
    check(std::memcmp(block.bytes().data(), data, taken) == 0);
    for (std::size_t i = taken; i < params::ParameterBlock::size; ++i)
        check(block.bytes()[i] == 0xA5);

    for (const auto& row : params::decodeParameters(block))
        check(!row.meaning.empty());

    check(params::saveParameterFile(saved, block).ok());
    params::ParameterBlock again;
    const auto reloaded = params::loadParameterFile(saved, again);
    check(reloaded.ok() && reloaded.fileSize == params::ParameterBlock::size);
    check(again == block);
    return 0;
}
