#include "render/InkCover.h"

#include <algorithm>

void InkCover::Reset(std::size_t pixels) {
    Cells.assign(pixels, Cell{});
    Blocks.clear();
    FreeBlocks.clear();
    Lists.clear();
    FreeLists.clear();
    Touched.clear();
}

void InkCover::Add(std::uint32_t pixel, std::uint16_t ink) {
    Cell& cell = Cells[pixel];
    Touch(pixel, cell);
    if (cell.Inks == 0) {
        if (cell.Top == 0) {
            cell.Top = ink;
            return;
        }
        // Two inks: a block.
        if (FreeBlocks.empty()) {
            Blocks.emplace_back();
            FreeBlocks.push_back(static_cast<std::uint32_t>(Blocks.size()));
        }
        cell.Inks = FreeBlocks.back();
        FreeBlocks.pop_back();
        std::uint16_t* block = Block(cell.Inks);
        block[0] = 2;
        block[1] = cell.Top;
        block[2] = ink;
    } else if ((cell.Inks & Long) == 0) {
        std::uint16_t* block = Block(cell.Inks);
        if (block[0] < BlockInks) {
            block[1 + block[0]++] = ink;
        } else {
            // A full block becomes a list.
            if (FreeLists.empty()) {
                Lists.emplace_back();
                FreeLists.push_back(static_cast<std::uint32_t>(Lists.size() - 1));
            }
            const std::uint32_t list = FreeLists.back();
            FreeLists.pop_back();
            Lists[list].assign(block + 1, block + 1 + BlockInks);
            Lists[list].push_back(ink);
            FreeBlocks.push_back(cell.Inks);
            cell.Inks = Long | list;
        }
    } else {
        Lists[cell.Inks & ~Long].push_back(ink);
    }
    if (ink > cell.Top) cell.Top = ink;
}

void InkCover::Remove(std::uint32_t pixel, std::uint16_t ink) {
    Cell& cell = Cells[pixel];
    if (cell.Inks == 0) {
        if (cell.Top != ink) return;
        Touch(pixel, cell);
        cell.Top = 0;
        return;
    }
    if ((cell.Inks & Long) == 0) {
        std::uint16_t* block = Block(cell.Inks);
        std::uint16_t* const inks = block + 1;
        std::uint16_t* const end = inks + block[0];
        std::uint16_t* const at = std::find(inks, end, ink);
        if (at == end) return;
        Touch(pixel, cell);
        *at = end[-1];
        if (--block[0] == 1) {
            cell.Top = inks[0];
            FreeBlocks.push_back(cell.Inks);
            cell.Inks = 0;
            return;
        }
        if (ink == cell.Top) cell.Top = *std::max_element(inks, inks + block[0]);
        return;
    }
    // A list stays a list while it is long: a pixel deep in trails stays deep.
    std::vector<std::uint16_t>& inks = Lists[cell.Inks & ~Long];
    const auto at = std::find(inks.begin(), inks.end(), ink);
    if (at == inks.end()) return;
    Touch(pixel, cell);
    *at = inks.back();
    inks.pop_back();
    if (inks.size() == 1) {
        cell.Top = inks.front();
        FreeLists.push_back(cell.Inks & ~Long);
        cell.Inks = 0;
        return;
    }
    if (ink == cell.Top) cell.Top = *std::max_element(inks.begin(), inks.end());
}

void InkCover::Apply(const std::vector<Change>& changes) {
    constexpr std::size_t CellAhead = 16, BlockAhead = 8;
    const std::size_t n = changes.size();
    for (std::size_t k = 0; k < n; ++k) {
        if (k + CellAhead < n) __builtin_prefetch(&Cells[changes[k + CellAhead].Pixel], 1);
        if (k + BlockAhead < n) {
            const std::uint32_t inks = Cells[changes[k + BlockAhead].Pixel].Inks;
            if (inks != 0 && (inks & Long) == 0) __builtin_prefetch(Block(inks), 1);
        }
        const Change& c = changes[k];
        if (c.Added)
            Add(c.Pixel, c.Ink);
        else
            Remove(c.Pixel, c.Ink);
    }
}

void InkCover::TakeChanges(std::vector<std::uint32_t>& pixels) {
    pixels.clear();
    for (const std::uint32_t pixel : Touched) {
        Cell& cell = Cells[pixel];
        if (cell.Top != cell.Before) pixels.push_back(pixel);
        cell.Before = Untouched;
    }
    Touched.clear();
}
