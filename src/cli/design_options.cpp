#include "design_options.h"

#include <CLI/CLI.hpp>

#include "ui/data_screens.h"

namespace korvelle {

namespace {

using P = ProjectInformationScreen;
using D = DesignDataScreen;
constexpr DataScreen kProject = DataScreen::ProjectInformation;
constexpr DataScreen kData = DataScreen::DesignData;

const std::array<DesignOption, kDesignOptionCount> kOptions = {{
    {"initial-year", &fields::kInitialYear, kProject, P::kInitialYear, ""},
    {"final-year", &fields::kFinalYear, kProject, P::kFinalYear, ""},
    {"initial-aadt", &fields::kInitialTraffic, kProject, P::kInitialTraffic, ""},
    {"final-aadt", &fields::kFinalTraffic, kProject, P::kFinalTraffic, ""},
    {"trucks", &fields::kTruckPercent, kProject, P::kTruckPercent, ""},
    {"ldf", &fields::kLdf, kData, D::kLdf, ""},
    {"tsi", &fields::kTerminalServiceability, kData, D::kTerminalServiceability, D::kDefaultServiceability},
    {"soil", &fields::kSoilSupport, kData, D::kSoilSupport, ""},
    {"rf", &fields::kRegionalFactor, kData, D::kRegionalFactor, ""},
    {"single-esal", &fields::kSingleUnitEsal, kData, D::kSingleUnitEsal, D::kDefaultSingleUnitEsal},
    {"multi-esal", &fields::kMultiUnitEsal, kData, D::kMultiUnitEsal, D::kDefaultMultiUnitEsal},
    {"esal", &fields::kRepresentativeEsal, kData, D::kRepresentativeEsal, ""},
}};

}  // namespace

std::span<const DesignOption, kDesignOptionCount> DesignOptions() { return kOptions; }

std::array<CLI::Option*, kDesignOptionCount> AddDesignOptions(CLI::App& command, DesignTexts& texts,
                                                              bool rangeNote) {
    std::array<CLI::Option*, kDesignOptionCount> added{};
    for (std::size_t i = 0; i < kOptions.size(); ++i) {
        const DesignOption& option = kOptions[i];
        std::string help = std::string(option.rule->hint) + " (" + std::string(option.rule->caption) + ")";
        if (rangeNote) help += "; or a range FROM:TO:STEP";
        added[i] = command.add_option("--" + std::string(option.name), texts[i], help);
        added[i]->type_name("TEXT");
        if (option.defaultText.empty()) {
            added[i]->required();
        } else {
            texts[i] = std::string(option.defaultText);
            added[i]->default_str(std::string(option.defaultText));
        }
    }
    return added;
}

DesignFile DataScreensFile(const DesignTexts& texts) {
    DesignFile file;
    for (std::size_t i = 0; i < kOptions.size(); ++i) {
        const DesignOption& option = kOptions[i];
        (option.screen == kProject ? file.project[option.field] : file.designData[option.field]) = texts[i];
    }
    // The screens after the design data are never confirmed.
    file.stage = DesignStage::DesignerInformation;
    return file;
}

namespace {

std::string Warning(const DesignOption& option, const std::string& text, const std::string& normalRange) {
    return "--" + std::string(option.name) + " " + text + ": " + std::string(option.rule->caption) +
           " outside its normal range (" + normalRange + ")";
}

}  // namespace

std::string UnusualWarning(const UnusualValue& unusual) {
    for (const DesignOption& option : kOptions) {
        const ScreenId screen = option.screen == kProject ? ScreenId::ProjectInformation : ScreenId::DesignData;
        if (screen == unusual.screen && static_cast<int>(option.field) == unusual.control) {
            return Warning(option, unusual.text, unusual.normalRange);
        }
    }
    return unusual.Line();
}

std::vector<std::string> UnusualValues(const DesignTexts& texts, const DesignRecord& limits,
                                       const std::array<bool, kDesignOptionCount>& skip) {
    std::vector<std::string> warnings;
    for (std::size_t i = 0; i < kOptions.size(); ++i) {
        if (skip[i]) continue;
        const FieldRule& rule = *kOptions[i].rule;
        const std::optional<FieldValue> value = ConvertField(rule, texts[i]);
        if (!value || !OutsideNormalRange(rule, *value, limits)) continue;
        warnings.push_back(Warning(kOptions[i], texts[i], NormalRangeText(rule, limits)));
    }
    return warnings;
}

}  // namespace korvelle
