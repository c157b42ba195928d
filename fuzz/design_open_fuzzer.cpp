// OPEN DESIGN... on any file text, over a design already on the screens.
// A design the program takes holds nothing the screens' rules would refuse:
// every data screen the designer stood past has texts of their fields' kind,
// none a value no design can have, within the lengths the fields hold, and a
// required SN computed from them; once taken, the screens hold the file's
// entries.  A file refused, by the reader or by the screens, changes nothing
// of the design on the screens or in the record.

#include <cmath>
#include <cstdint>
#include <string>
#include <variant>

#include "core/utf8.h"
#include "file/design_file.h"
#include "fuzz_support.h"
#include "ui/data_screens.h"
#include "ui/design_capture.h"
#include "ui/design_document.h"
#include "ui/field_rules.h"
#include "ui/memory_program.h"
#include "ui/worksheets.h"
#include "file/design_file_members.h"

namespace {

using namespace korvelle;
using korvelle::fuzz::Check;
using korvelle::fuzz::Shown;

// One file, held in memory, that the open dialog always chooses.
class OneFileStore : public DesignStore {
public:
    explicit OneFileStore(std::string text) : text_(std::move(text)) {}
    std::optional<std::string> ChooseSaveFile(const std::string&) override { return std::nullopt; }
    std::optional<std::string> ChooseOpenFile() override { return "fuzzed.korvelle"; }
    std::string Write(const std::string&, const std::string&, FileStamp&) override { return "read-only"; }
    DesignFileReading Read(const std::string&, FileStamp&) override { return ReadDesignFileText(text_); }
    std::optional<FileStamp> Stamp(const std::string&) override { return std::nullopt; }
    std::string Now() override { return "2001-12-01T00:00:00Z"; }
    std::string Shown(const std::string& time) override { return time; }
    std::optional<LockHolder> Lock(const std::string&) override { return std::nullopt; }
    void Unlock() override {}
    void WriteRecovery(const std::string&) override {}
    void RemoveRecovery() override {}
    std::vector<LeftRecovery> LeftRecoveries() override { return {}; }
    void DiscardRecovery(const std::string&) override {}
    void KeepRecoveryForLater(const std::string&) override {}

private:
    std::string text_;
};

const std::vector<CountyEntry> kCounties = {{"APPLING", "4.0", "1.6"}, {"WORTH", "3.5", "1.4"}};

// Texts the screens confirmed hold what the field rules let through.
template <std::size_t N>
void CheckConfirmed(std::span<const FieldRule* const> rules, const std::array<std::string, N>& texts) {
    for (std::size_t i = 0; i < N && i < rules.size(); ++i) {
        const FieldRule& rule = *rules[i];
        if (rule.maxLength > 0) {
            Check(Utf8Length(texts[i]) <= static_cast<std::size_t>(rule.maxLength),
                  "a confirmed text fits its field", Shown(texts[i]));
        }
        if (!rule.numeric()) continue;
        const auto value = ConvertField(rule, texts[i]);
        Check(value.has_value(), "a confirmed numeric field holds a number of its kind", Shown(texts[i]));
        Check(!Impossible(rule, *value), "a confirmed value is one a design can have", Shown(texts[i]));
    }
}

void CheckTaken(const DesignFile& file, Program& program) {
    using korvelle::design_file::ForEachTypedText;
    const DesignRecord& record = program.record();
    // The stages follow the chain of screens: a stage past a screen is one
    // the designer reached through its CONTINUE.
    if (file.stage > DesignStage::ProjectInformation) {
        CheckConfirmed(ProjectInformationFields(), file.project);
        Check(record.finalYear > record.initialYear, "a confirmed design period is positive");
    }
    if (file.stage > DesignStage::DesignData) {
        CheckConfirmed(DesignDataFields(), file.designData);
        Check(std::isfinite(record.requiredSn) && record.requiredSn > 0.0f,
              "confirmed design data come with a required SN");
        Check(record.designLoading > 0, "confirmed design data come with a design loading");
    }
    const std::array<const FieldRule*, 3> designer = {&fields::kDesignerName, &fields::kComments, &fields::kDesignDate};
    for (std::size_t i = 0; i < file.designer.size(); ++i) {
        Check(Utf8Length(file.designer[i]) <= static_cast<std::size_t>(designer[i]->maxLength),
              "a designer text fits its field", Shown(file.designer[i]));
    }
    ForEachTypedText(file, [](std::string_view, std::string_view key, const std::string& text, bool) {
        Check(!HoldsControlCharacter(text), "a design taken holds no control character", std::string(key));
    });
    const DesignFile now = CaptureDesign(program);
    // The acceptance is kept whatever the stage: current as the file says.
    Check(now.accepted.has_value() == file.accepted.has_value() &&
              (!now.accepted || now.accepted->current == file.accepted->current),
          "the acceptance is kept, current or stale as the file says");
    Check(now.project == file.project && now.designData == file.designData && now.designer == file.designer,
          "the screens hold the file's texts");
    Check(now.stage == file.stage, "the program stands where the design was saved");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    QuietDesktop desktop;  // every message the program shows, of any kind
    korvelle::fuzz::FuzzWindows windows;
    DesignRecord record;
    Program program(record, desktop, windows);
    program.logic<CountyWorksheet>(ScreenId::CountyWorksheet).SetTable(kCounties);
    OneFileStore store(text);
    program.document().SetStore(&store);
    program.Start();

    // A design on the screens before the file is opened.
    program.Show(ScreenId::ProjectInformation);
    program.view(ScreenId::ProjectInformation).SetText(ProjectInformationScreen::kCounty, "WORTH");
    const DesignFile before = CaptureDesign(program);
    const DesignRecord recordBefore = record;

    desktop.messages.clear();
    const bool opened = program.document().OpenFile("fuzzed.korvelle");
    const DesignFileReading reading = ReadDesignFileText(text);
    if (!opened) {
        Check(desktop.messages.size() == 1, "a refused file is one message");
        Check(CaptureDesign(program) == before, "a refused file changes nothing on the screens");
        Check(korvelle::fuzz::FirstDifference(record, recordBefore).empty(),
              "a refused file changes nothing in the record", korvelle::fuzz::FirstDifference(record, recordBefore));
        return 0;
    }
    Check(std::holds_alternative<DesignFile>(reading), "only a file the reader takes is opened");
    CheckTaken(std::get<DesignFile>(reading), program);
    Check(!program.document().Modified(), "a design just opened has no changes");
    return 0;
}
