#pragma once

#include <QDialog>
#include <QString>
#include <memory>
#include <optional>

#include "ui/sensitivity.h"

class QChart;
class QChartView;
class QLabel;
class QPushButton;
class QSaveFile;
class QTabWidget;
class QTableWidget;

namespace korvelle {

enum class PictureFormat { Png, Svg };

// The file SAVE PICTURE... writes and in which format: by the name's suffix
// (.png, .svg, in any case); a name with neither gets the suffix of the
// format the dialog's filter chose.
struct PictureFile {
    QString path;
    PictureFormat format = PictureFormat::Png;
};
PictureFile PictureFileFor(const QString& chosen, PictureFormat filterFormat);

// How the required SN moves: the chart against soil support (a curve per
// regional factor) and against the design loading (a logarithmic axis), each
// with the design's own point and a line for each structure, and a table of
// the same numbers for a screen reader, in tabs.  A modal window: it shows
// the design as it stood when it was opened.  SAVE PICTURE... writes the
// chart shown as a PNG or SVG picture, whole or not at all; CLOSE or Escape
// closes it; F1 or "?" opens the guide at its section.
class SensitivityWindow : public QDialog {
    Q_OBJECT
public:
    enum Tab { kSoilTab, kLoadingTab, kTableTab };

    explicit SensitivityWindow(const Sensitivity& sensitivity, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }
    QChartView* chartView(SensitivityAxis axis) const;
    // The tables: the required SN against soil support and against the
    // design loading, and the structures drawn.
    QTableWidget* soilTable() const { return soilTable_; }
    QTableWidget* loadingTable() const { return loadingTable_; }
    QTableWidget* structureTable() const { return structureTable_; }
    QLabel* status() const { return status_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* closeButton() const { return close_; }

    // Writes the chart of the tab shown (the soil support chart while the
    // table is shown) to the file in its format, whole or not at all; the
    // status line says what happened.  True when the file is in place.
    bool SavePicture(const PictureFile& file);
    // The picture's bytes as SAVE PICTURE... writes them; empty when the
    // picture cannot be drawn.
    QByteArray Picture(SensitivityAxis axis, PictureFormat format) const;

    // The file offered: the chart's name in the user's documents folder.
    static QString OfferedFile(SensitivityAxis axis);

protected:
    // The save dialog offering `offered`: the file chosen, or nothing when
    // it was cancelled.
    virtual std::optional<PictureFile> ChoosePictureFile(const QString& offered);
    // The file a picture is written through, not yet open.
    virtual std::unique_ptr<QSaveFile> SaveFile(const QString& target);
    void showEvent(QShowEvent* event) override;

private:
    // The axis of the chart SAVE PICTURE... writes.
    SensitivityAxis ShownAxis() const;
    void SaveChosenPicture();
    QWidget* BuildTables(const Sensitivity& sensitivity);

    Sensitivity sensitivity_;  // what the charts' tool tips read
    QTabWidget* tabs_;
    QChartView* soilView_;
    QChartView* loadingView_;
    QTableWidget* soilTable_ = nullptr;
    QTableWidget* loadingTable_ = nullptr;
    QTableWidget* structureTable_ = nullptr;
    QLabel* status_;
    QPushButton* save_;
    QPushButton* close_;
};

// The desktop's sensitivity chart: the window, modal over the window that
// is active, until the designer closes it.
class QtSensitivityDisplay : public SensitivityDisplay {
public:
    void ShowSensitivity(const Sensitivity& sensitivity) override;

protected:
    // Shows the window until it is closed.
    virtual void Show(SensitivityWindow& window);
};

// Window title.
QString SensitivityTitle();

}  // namespace korvelle
