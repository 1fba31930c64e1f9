// One member of a zip archive, inflated chunk by chunk up to a size limit, so a
// reader can stop early and a zip bomb can never inflate more than the limit.
#pragma once

#include "core/Failure.h"
#include "spreadsheet/GObjectRef.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

typedef struct _GsfInput GsfInput;

namespace orvanto::spreadsheet {

class ZipMember {
  public:
    ZipMember(std::string path, GsfInput* input); // takes ownership of input

    // The next inflated chunk; an empty span at the end of the member.
    core::Result<std::span<const std::uint8_t>> read();

    const std::string& path() const { return m_path; }

  private:
    std::string m_path;
    GObjectRef<GsfInput> m_input;
    std::int64_t m_inflated = 0;
};

} // namespace orvanto::spreadsheet
