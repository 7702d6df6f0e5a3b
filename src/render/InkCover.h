#pragma once
// The star trails kept from one animation step to the next: for each pixel of the
// chart, the inks of every trail stroke that covers it, so that a trail whose ends
// move by a pixel changes a pixel's colour without the others being drawn again.

#include <cstddef>
#include <cstdint>
#include <vector>

// InkCover: a multiset of ink numbers (1 up) per pixel; a pixel shows the highest of its
// inks, 0 for none. The shown ink is a function of the multiset alone, whatever the order
// of the strokes: the same as a raster where each stroke keeps the higher of its ink and
// what is there.
// Notes:   1) A pixel's cell holds its shown ink; from two inks up, the cell names a block
//             of up to BlockInks inks, beyond that a list of its own (trails cross most
//             near the pole, a few hundred deep). A step's changes touch a few thousand
//             scattered pixels, so each touch reads one cell and at most one block.
//          2) Removing an ink the pixel does not hold is a caller's fault; it is ignored.
// Tested:  random strokes added and removed in any order show what a fresh raster of the
//          remaining ones shows; the changes listed are exactly the pixels that changed.
class InkCover {
public:
    // Reset: pixels pixels, none covered, no change listed.
    void Reset(std::size_t pixels);
    std::size_t Pixels() const { return Cells.size(); }

    void Add(std::uint32_t pixel, std::uint16_t ink);
    void Remove(std::uint32_t pixel, std::uint16_t ink);
    // Apply: many adds and removes at once, in any order as long as each removed ink was
    // there before them all. The pixels of a step's changes lie all over the chart, so
    // their cells and blocks are asked of memory some way ahead of their turn: the
    // processor then waits for many at a time (twice as fast as one by one).
    struct Change {
        std::uint32_t Pixel;
        std::uint16_t Ink;
        bool Added;
    };
    void Apply(const std::vector<Change>& changes);
    std::uint16_t Shown(std::uint32_t pixel) const { return Cells[pixel].Top; }

    // TakeChanges: the pixels whose shown ink changed since the last call (or Reset), in no
    // particular order; the list starts again.
    void TakeChanges(std::vector<std::uint32_t>& pixels);

private:
    static constexpr std::uint16_t Untouched = 0xFFFF;
    // A block: its count, then its inks.
    static constexpr std::uint32_t BlockInks = 15;
    struct InkBlock {
        std::uint16_t Numbers[BlockInks + 1];
    };
    static constexpr std::uint32_t Long = 0x80000000u;  // Marks a list's number in a cell.
    struct Cell {
        std::uint16_t Top = 0;             // The highest ink, 0 for none.
        std::uint16_t Before = Untouched;  // Top at the first change since TakeChanges.
        std::uint32_t Inks = 0;            // 0 below two inks; else 1 + a block's number, or
                                           // Long | a list's number.
    };
    void Touch(std::uint32_t pixel, Cell& cell) {
        if (cell.Before != Untouched) return;
        cell.Before = cell.Top;
        Touched.push_back(pixel);
    }
    std::uint16_t* Block(std::uint32_t inks) { return Blocks[inks - 1].Numbers; }

    std::vector<Cell> Cells;  // By pixel.
    std::vector<InkBlock> Blocks;
    std::vector<std::uint32_t> FreeBlocks;  // Numbers (1 up) no cell holds.
    std::vector<std::vector<std::uint16_t>> Lists;
    std::vector<std::uint32_t> FreeLists;
    std::vector<std::uint32_t> Touched;
};
