#include "AtomicReplace.h"

namespace orvanto::platform {

core::Result<void> replaceFile(const std::filesystem::path& file, std::string_view bytes) {
    if (auto reason = detail::replaceFileOrReason(file, bytes)) {
        return core::Failure{core::Status::Io, std::move(*reason)};
    }
    return {};
}

} // namespace orvanto::platform
