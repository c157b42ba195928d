#include "unit_cost_file.h"

#include <cstdlib>
#include <filesystem>

#include "data_file.h"

namespace korvelle {

std::string UserUnitCostFile() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path folder;
    if (config != nullptr && *config == '/') {
        folder = config;
    } else {
        const char* home = std::getenv("HOME");
        folder = std::filesystem::path(home != nullptr ? home : "") / ".config";
    }
    return (folder / "Korvelle" / "unit-costs.csv").string();
}

std::optional<UnitCostTable> LoadUnitCostTable(const std::string& file, std::string* error, std::string* used) {
    std::string path = file;
    if (path.empty()) {
        std::error_code missing;
        const std::string own = UserUnitCostFile();
        if (std::filesystem::exists(own, missing)) path = own;
    }
    if (used) *used = path;
    std::string why;
    std::optional<UnitCostTable> table;
    if (path.empty()) {
        table = ParseUnitCostTable(ShippedUnitCostTableText(), &why);
    } else {
        if (const std::optional<std::string> text = ReadDataFile(path, why)) table = ParseUnitCostTable(*text, &why);
        if (!table) why = path + ": " + why;
    }
    if (error) *error = table ? std::string() : why;
    return table;
}

std::string UnitCostTableUnusableMessage(std::string_view reason) {
    return "The unit-cost table cannot be used: " + std::string(reason) +
           ". Costs and LEAST COST... are not available until it is mended.";
}

}  // namespace korvelle
