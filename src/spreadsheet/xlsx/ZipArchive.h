// A zip archive held in memory (an .xlsx package), opened through libgsf.
// Member names are matched ignoring ASCII case, as package part names are.
#pragma once

#include "ZipMember.h"
#include "core/Failure.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

typedef struct _GsfInfile GsfInfile;

namespace orvanto::spreadsheet {

class ZipArchive {
  public:
    // The bytes must outlive the archive and every member opened from it.
    static core::Result<ZipArchive> open(std::span<const std::uint8_t> bytes);

    bool contains(std::string_view path) const;
    // Opens a member by its path ("xl/workbook.xml"); fails with "<path> missing".
    core::Result<ZipMember> member(std::string_view path) const;

  private:
    struct Unref {
        void operator()(GsfInfile* infile) const;
    };

    explicit ZipArchive(GsfInfile* root);
    GsfInput* find(std::string_view path) const;

    std::shared_ptr<GsfInfile> m_root;
};

} // namespace orvanto::spreadsheet
