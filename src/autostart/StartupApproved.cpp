#include "autostart/StartupApproved.h"

namespace trelvix {

namespace {
constexpr const char* ApprovedRun =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
constexpr std::size_t RecordSize = 12;
} // namespace

std::string StartupApprovedKey(port::RegRoot root, port::RegView view) {
    // The per-user Run key is one key in both views: its records are all under Run.
    const bool bits32 = root == port::RegRoot::LocalMachine && view == port::RegView::Bits32;
    return std::string(ApprovedRun) + (bits32 ? "32" : "");
}

bool RecordSaysDisabled(const std::optional<port::RegValue>& record) {
    return record && record->type == port::RegType::Binary && record->bytes.size() >= RecordSize &&
           (record->bytes[0] & 1) != 0;
}

std::vector<std::uint8_t> DisabledRecord(std::uint64_t fileTime) {
    std::vector<std::uint8_t> record = {3, 0, 0, 0};
    for (int shift = 0; shift < 64; shift += 8)
        record.push_back(static_cast<std::uint8_t>(fileTime >> shift));
    return record;
}

std::vector<std::uint8_t> EnabledRecord() {
    std::vector<std::uint8_t> record(RecordSize, 0);
    record[0] = 2;
    return record;
}

std::optional<port::RegValue> ReadStartupRecord(port::Registry& registry, port::RegRoot root,
                                                port::RegView view, const std::string& name) {
    auto key =
        registry.Open(root, StartupApprovedKey(root, view), false, false, port::RegView::Bits64);
    return key ? key->ReadValue(name) : std::nullopt;
}

} // namespace trelvix
