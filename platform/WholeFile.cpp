#include "platform/WholeFile.h"

namespace velmora {

WholeFile ReadWholeFile(const std::string& name, std::int64_t maxBytes, std::size_t spareDivisor) {
    WholeFile whole;
    File file;
    if (!file.OpenForReading(name)) {
        whole.refusal = file.LastRefusal();
        return whole;
    }
    whole.identity = file.Identity();
    const std::int64_t length = file.Length();
    if (length < 0 || length > maxBytes) {
        whole.tooLarge = true;
        return whole;
    }
    const auto size = static_cast<std::size_t>(length);
    whole.bytes.reserve(size + (spareDivisor == 0 ? 0 : size / spareDivisor));
    whole.bytes.resize(size);
    whole.bytes.resize(file.Read(whole.bytes.data(), whole.bytes.size()));
    file.Close();
    return whole;
}

}  // namespace velmora
