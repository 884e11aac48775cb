#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <string_view>
#include <utility>

#include "formats/units.h"
#include "records/correlation_set.h"

class QCheckBox;
class QCloseEvent;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zano {

// The "Options" dialog (Form2): the case's two fouling factors and the properties of the
// fluid "User defined", which "Close" writes as that fluid's table; below them the case's
// optional hairpin length and the correlation set it is calculated with.
class OptionsDialog : public QWidget {
    Q_OBJECT
  public:
    // The texts of the main window's fluid lists, internal and external.
    using FluidNames = std::function<std::pair<QString, QString>()>;

    // dataDir: the shipped tables and "User defined"; userDir: the user's own tables.
    OptionsDialog(std::filesystem::path dataDir, std::filesystem::path userDir,
                  FluidNames fluidNames, QWidget* parent = nullptr);

    // Makes the dialog ready for the "Options" button, before it is shown: the property boxes
    // locked or open for the fluids now chosen, the check box cleared.
    void prepare();

    QString intFouling() const;
    QString estFouling() const;
    void setFouling(const QString& internal, const QString& external);

    // The optional standard hairpin length, m (one leg); empty when none is set.
    QString hairpinLength() const;
    void setHairpinLength(const QString& length);

    // The Nusselt rules of the case: "Classic" unless the user chooses "Refined".
    CorrelationSet correlations() const;
    void setCorrelations(CorrelationSet set);

    // The case's boxes by name ("Text1", "Text2", "HairpinLength") as the case keeps them (SI,
    // decimal comma), shown in the user's units; the hairpin length without blanks around it,
    // since blanks alone are no length.
    QString boxText(std::string_view name) const;
    void setBoxText(std::string_view name, const QString& text);
    // The fouling factors, the presets and the hairpin length shown again in `u`; no value of
    // the case changes.
    void showUnits(const Units& u);

    double layoutScale() const { return scale_; }

  signals:
    // Closed from its frame or by Escape: the dialog is about to be discarded, its boxes still
    // readable.
    void discarding();
    // A table was imported as the fluid "User defined": a side that has it chosen reloads it.
    void userFluidImported();
    // A table was imported as a fluid of the user's own: the fluid lists offer it.
    void ownTableSaved(const QString& name);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Form_Load();
    void Check1_Click();
    void Command1_Click();
    void importTableFile();
    void pasteTable();
    // Takes `text` as the fluid "User defined" or one of the user's own, as they choose; a
    // refusal is told as about `source`.
    void importTable(const std::string& text, const QString& source);
    void connectCaptions();
    void buildLayout();
    void addButtonRow();
    void setPropertyBoxesOpen(bool open);
    void setPropertyBackground(const QColor& colour);
    bool userFluidChosen() const;

    std::filesystem::path dataDir_;
    std::filesystem::path userDir_;
    FluidNames fluidNames_;
    QLineEdit* text1_;
    QLineEdit* text2_;
    std::array<QLineEdit*, 4> property_;  // Text3 ... Text6
    QCheckBox* check1_;
    QPushButton* command1_;
    std::array<QLabel*, 12> label_;  // Label1 ... Label12
    QLineEdit* hairpin_;             // below the original controls
    QComboBox* correlations_;        // below the hairpin length
    QPushButton* importTable_;       // below the correlations: a fluid table from a file
    QPushButton* pasteTable_;        // ... or from the clipboard
    QLabel* tableRange_;             // what the last imported table covers
    double scale_ = 1.0;
    Units units_;  // the units the case's boxes show
};

}  // namespace zano
