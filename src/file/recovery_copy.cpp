#include "recovery_copy.h"

#include <nlohmann/json.hpp>

namespace korvelle {

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kRecoveryKey = "recovery";

DesignFileRefusal Refused(std::string reason) { return DesignFileRefusal{{}, "not a recovery copy: " + reason}; }

}  // namespace

std::string RecoveryCopyText(const RecoveryCopy& copy) {
    Json root = Json::parse(DesignFileText(copy.design));
    Json& recovery = root[kRecoveryKey] = Json::object();
    recovery["file"] = copy.file.empty() ? Json(nullptr) : Json(copy.file);
    recovery["changed"] = copy.changed;
    recovery["readOnly"] = copy.readOnly;
    if (copy.stamp) {
        recovery["stamp"] = Json{{"size", copy.stamp->size}, {"modified", copy.stamp->modified}, {"hash", copy.stamp->hash}};
    } else {
        recovery["stamp"] = nullptr;
    }
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::variant<RecoveryCopy, DesignFileRefusal> ReadRecoveryCopyText(std::string_view text) {
    DesignFileReading reading = ReadDesignFileText(text);
    if (auto* refusal = std::get_if<DesignFileRefusal>(&reading)) return *refusal;
    RecoveryCopy copy;
    copy.design = std::move(std::get<DesignFile>(reading));
    // The design read, the text is JSON within the size limit.
    const Json root = Json::parse(text, nullptr, false);
    const auto recovery = root.find(kRecoveryKey);
    if (recovery == root.end() || !recovery->is_object()) return Refused("the member recovery is missing");
    try {
        const Json& file = recovery->at("file");
        if (!file.is_null()) copy.file = file.get<std::string>();
        copy.changed = recovery->at("changed").get<std::string>();
        copy.readOnly = recovery->value("readOnly", false);
        const Json& stamp = recovery->at("stamp");
        if (!stamp.is_null()) {
            copy.stamp = FileStamp{stamp.at("size").get<std::uint64_t>(), stamp.at("modified").get<std::int64_t>(),
                                   stamp.at("hash").get<std::string>()};
        }
    } catch (const Json::exception& error) {
        return Refused(error.what());
    }
    return copy;
}

}  // namespace korvelle
