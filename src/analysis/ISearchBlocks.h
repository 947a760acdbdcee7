#pragma once
#include <cstddef>
#include <cstdint>

// The words a search reads: the block that is loaded and, for Search All,
// the other block files of an auto-saved run. Without blocks there is one.
class ISearchBlocks {
public:
    virtual ~ISearchBlocks() = default;
    [[nodiscard]] virtual std::size_t BlockCount() const = 0;
    // Makes block `index` the loaded one; false when it could not be read.
    [[nodiscard]] virtual bool LoadBlock(std::size_t index) = 0;
    // The loaded block's words and how many of them are valid.
    [[nodiscard]] virtual const uint32_t* Words() const = 0;
    [[nodiscard]] virtual uint32_t ValidWords() const = 0;
};
