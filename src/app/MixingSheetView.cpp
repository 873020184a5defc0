#include "app/MixingSheetView.h"

#include <QBuffer>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include "app/LegendLabel.h"
#include "shared/TextEncoding.h"
#include "shared/TextFile.h"

namespace tarvisol::app {
namespace {

QString Text(const std::string& bytes) { return QString::fromStdString(Windows1252ToUtf8(bytes)); }

void Render(const MixingSheetWindow& form, QPagedPaintDevice* device) {
    QTextDocument doc;
    doc.setHtml(Text(MixingSheetHtml(form)));
    doc.print(device);
}

}  // namespace

MixingSheetView::MixingSheetView(SharedState& s, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), s_(s), dialogs_(dialogs) {
    setWindowTitle(QString::fromStdString(form_.Caption));
    setObjectName("MixingSheetView");
    auto* layout = new QVBoxLayout(this);
    auto* boxes = new QHBoxLayout;
    auto* diet = binder_.Bind(form_.ComboDiet, new QComboBox(this));
    diet->setObjectName("ComboDiet");
    diet->setMinimumWidth(240);
    auto edit = [&](TextBox& t, const char* name) {
        auto* e = binder_.Bind(t, new QLineEdit(this));
        e->setObjectName(name);
        e->setMaximumWidth(110);
        connect(e, &QLineEdit::returnPressed, this, [this] { Run(&MakeMixingSheet); });
        return e;
    };
    boxes->addWidget(new QLabel("Diet", this));
    boxes->addWidget(diet);
    boxes->addSpacing(12);
    boxes->addWidget(new QLabel("Batch", this));
    boxes->addWidget(edit(form_.TextBatch, "TextBatch"));
    boxes->addWidget(new QLabel("Scale step above 2 %", this));
    boxes->addWidget(edit(form_.TextCoarse, "TextCoarse"));
    boxes->addWidget(new QLabel("at 2 % or less", this));
    boxes->addWidget(edit(form_.TextFine, "TextFine"));
    boxes->addWidget(binder_.Bind(form_.LabelUnit, new QLabel(this)));
    boxes->addSpacing(12);
    boxes->addWidget(new QLabel("Batch number", this));
    auto* number = binder_.Bind(form_.TextBatchNumber, new QLineEdit(this));
    number->setObjectName("TextBatchNumber");
    number->setMaximumWidth(110);
    boxes->addWidget(number);
    boxes->addStretch(1);
    layout->addLayout(boxes);
    connect(diet, QOverload<int>::of(&QComboBox::activated), this, [this](int) { Run(&MakeMixingSheet); });

    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    summary_->setObjectName("LabelSummary");
    layout->addWidget(summary_);
    ingredients_ = new GridView(s_, form_.GridIngredients, {}, this);
    nutrients_ = new GridView(s_, form_.GridNutrients, {}, this);
    layout->addWidget(ingredients_, 3);
    layout->addWidget(nutrients_, 4);
    layout->addWidget(LegendLabel(MixingSheetLegend(), this));

    auto* buttons = new QHBoxLayout;
    auto button = [&](Button& b, const std::function<void()>& f) {
        auto* w = binder_.Bind(b, new QPushButton(QString::fromStdString(b.Caption), this));
        w->setObjectName(QString::fromStdString(b.Caption));
        connect(w, &QPushButton::clicked, this, f);
        buttons->addWidget(w);
    };
    button(form_.CommandMake, [this] { Run(&MakeMixingSheet); });
    button(form_.CommandCopy, [this] { Run(&CopyMixingSheet); });
    button(form_.CommandPrint, [this] { Print(); });
    button(form_.CommandPdf, [this] {
        binder_.Pull();
        const std::string path = ChooseMixingSheetPdf(s_, form_);
        if (!path.empty()) SavePdf(path);
    });
    buttons->addStretch(1);
    button(form_.CommandClose, [this] {
        form_.Visible = false;
        hide();
    });
    layout->addLayout(buttons);
    resize(900, 760);
}

void MixingSheetView::Run(void (*procedure)(SharedState&, MixingSheetWindow&)) {
    binder_.Pull();
    procedure(s_, form_);
    Refresh();
}

void MixingSheetView::Open(int d) {
    OpenMixingSheet(s_, form_, d);
    Refresh();
    show();
    raise();
}

void MixingSheetView::Refresh() {
    form_.CommandCopy.Enabled = form_.CommandPrint.Enabled = form_.CommandPdf.Enabled = form_.SheetReady;
    binder_.Push();
    summary_->setText(Text(form_.LabelSummary.Caption));
    ingredients_->Refresh();
    nutrients_->Refresh();
}

void MixingSheetView::Print() {
    if (!form_.SheetReady) return;
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle("Print Mixing Sheet");
    if (dialog.exec() != QDialog::Accepted) return;
    Render(form_, &printer);
}

bool MixingSheetView::SavePdf(const std::string& path) {
    if (!form_.SheetReady) return false;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setTitle(QString::fromStdString(form_.Caption));
        Render(form_, &pdf);
    }
    std::string error;
    const QByteArray& bytes = buffer.data();
    if (!SaveAtomic(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), error)) {
        dialogs_.Message("The mixing sheet could not be saved to " + path + (error.empty() ? "" : ": " + error));
        return false;
    }
    return true;
}

}  // namespace tarvisol::app
