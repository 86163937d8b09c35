// Fuzz target: random texts through the form-file readers. A text the strict reader refuses
// must be refused with an EHostError and leave the form as it was; a text it accepts must write
// back to a text that reads into an empty form and into the same form without error and writes
// back the same again. The tolerant reader must give the same report for the same text, and
// what it reports as read must make the form it made. Nothing may crash.
//
// Input: the form text itself. Data sets and connections are not offered (they would open files).

#include <QApplication>
#include <QByteArray>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "formdesigner.h"
#include "formfile.h"
#include "fuzztarget.h"
#include "grid.h"
#include "hostdialogs.h"
#include "imagelist.h"
#include "menus.h"
#include "registration.h"

using namespace Qt::StringLiterals;

namespace {

[[noreturn]] void fail(const char *What, const QByteArray &Text)
{
    std::fprintf(stderr, "invariant broken: %s\n%s\n", What, Text.constData());
    std::abort();
}

void setUpOnce()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    static int argc = 1;
    static char name[] = "fuzz_formfile";
    static char *argv[] = {name, nullptr};
    if (!qApp)
        new QApplication(argc, argv); // grids are widgets
    static TScriptedDialogs quiet;
    quiet.OnError = [](const QString &) {};
    static const THostDialogsScope scope(quiet);
    RegisterComponents(u"Fuzz"_s, {&TKorDBGrid::staticMetaObject, &TDataSource::staticMetaObject,
                                   &TPopupMenu::staticMetaObject, &TImageList::staticMetaObject});
}

QByteArray readBack(const QByteArray &Text, const char *What)
{
    TFormDesigner designer;
    try {
        ReadFormText(&designer, Text);
    } catch (const EHostError &) {
        fail(What, Text);
    }
    return WriteFormText(&designer);
}

// The form every input is read into. Most inputs are refused, and a refused input leaves the
// form as it was, so the form is built again only after an input that was read.
struct BaseForm {
    std::unique_ptr<TFormDesigner> Designer;
    QByteArray Text;   // the form as written before the input
    bool Stale = true; // the last input was read into it

    TFormDesigner *Get()
    {
        if (Stale) {
            Designer.reset(); // before the next, so that names are free again
            Designer = std::make_unique<TFormDesigner>();
            Stale = false;
            ReadFormText(Designer.get(),
                         R"({"name": "Form1", "class": "TDesignForm", "components": [
                {"name": "Grid", "class": "TKorDBGrid",
                 "properties": {"Columns": [{"FieldName": "a"}]}},
                {"name": "Source", "class": "TDataSource"}]})");
            Text = WriteFormText(Designer.get());
        }
        return Designer.get();
    }
    void Changed() { Stale = true; }
};

// The tolerant reader: a text it does not refuse reads the same way twice, and what it reports
// as read, read strictly into an empty form, makes the same form as it made.
void readTolerantly(const QByteArray &Input)
{
    TFormReadReport first;
    QByteArray made;
    {
        TFormDesigner designer;
        try {
            first = ReadFormTextTolerant(&designer, Input);
        } catch (const EFormFileError &) {
            TFormDesigner again;
            try {
                ReadFormTextTolerant(&again, Input);
            } catch (const EFormFileError &) {
                return;
            }
            fail("a text the tolerant reader refused was read the second time", Input);
        }
        made = WriteFormText(&designer);
    }
    {
        TFormDesigner designer;
        if (!(ReadFormTextTolerant(&designer, Input) == first))
            fail("reading the same text twice gave different reports", Input);
    }
    TFormDesigner designer;
    try {
        ReadFormText(&designer, first.Text);
    } catch (const EHostError &) {
        fail("the text reported as read cannot be read", first.Text);
    }
    if (WriteFormText(&designer) != made)
        fail("the text reported as read makes another form", first.Text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    setUpOnce();
    static BaseForm &base = *new BaseForm; // lives as long as the application it holds widgets of
    const QByteArray input(reinterpret_cast<const char *>(Data), qsizetype(Size));
    readTolerantly(input);
    TFormDesigner &designer = *base.Get();
    try {
        CheckFormText(input);
    } catch (const EHostError &) {
        try {
            ReadFormText(&designer, input);
        } catch (const EHostError &) {
            if (WriteFormText(&designer) != base.Text)
                fail("a refused text changed the form", input);
            return 0;
        }
        fail("a text refused by the check was read", input);
    }
    base.Changed(); // from here on the form holds the input, whatever happens
    try {
        ReadFormText(&designer, input);
    } catch (const EHostError &) {
        return 0; // a property setter refused a value the text gives: reported, not a crash
    }
    const QByteArray written = WriteFormText(&designer);
    if (readBack(written, "the written text cannot be read") != written)
        fail("the written text reads back differently", written);
    try {
        ReadFormText(&designer, written);
    } catch (const EHostError &) {
        fail("the written text cannot be read in place", written);
    }
    if (WriteFormText(&designer) != written)
        fail("reading the written text in place changed the form", written);
    return 0;
}

QList<QByteArray> FuzzSeeds()
{
    return {
        R"({"name": "Form1", "class": "TDesignForm", "components": []})",
        R"({"name": "Form1", "class": "TDesignForm", "components": [
            {"name": "Src", "class": "TDataSource", "DesignPosition": [8, 16]},
            {"name": "Grid", "class": "TKorDBGrid", "properties": {"DataSource": "Src",
             "FixedColor": "clRed", "Options": ["dgTitles", "dgIndicator"],
             "BorderStyle": "bsNone", "TitleFont": {"Style": ["fsBold"], "Color": "$00FF0000"},
             "Columns": [{"FieldName": "id", "Width": 30, "Title": {"Caption": "Id"}},
                         {"FieldName": "name", "PickList": ["a", "b"],
                          "TotalValues": [{"Caption": "n"}]}]}}]})",
        R"({"name": "Form1", "class": "TDesignForm", "components": [
            {"name": "Menu", "class": "TPopupMenu", "properties": {"AutoPopup": false}},
            {"name": "Images", "class": "TImageList", "properties": {"Width": 24}},
            {"name": "Grid", "class": "TKorDBGrid", "properties": {"PopupMenu": "Menu",
             "TitleImages": "Images", "OnTitleClick": "GridTitleClick",
             "Totals": {"Active": true, "Images": "Images"}, "MasterGrid": null}}]})",
        R"({"name": "Form1", "class": "TDesignForm", "components": [
            {"name": "A", "class": "TKorDBGrid", "properties": {"Left": 10, "Top": 20,
             "Columns": [{"DelimiterChar": ",", "ListOptions": []}]}},
            {"name": "B", "class": "TKorDBGrid", "properties": {"MasterGrid": "A"}}]})",
        R"({"name": "9 lives", "class": "TDesignForm", "extra": 1, "components": [
            {"name": "", "class": "TDataSource", "DesignPosition": [1]},
            {"name": "N", "class": "TNewer", "properties": {"Depth": 3}},
            {"name": "n", "class": "TKorDBGrid", "Future": true, "properties": {
             "DataSource": "N", "PopupMenu": "Nowhere", "Width": "wide", "Glow": 2,
             "Columns": [7, {"Title": {"Colour": "clRed", "Caption": "A"}}]}}]})",
    };
}

QByteArray FuzzAlphabet()
{
    return QByteArrayLiteral("{}[]\",:0123456789-.truefalsnl clRedbsNoneFixedColorColumns\\");
}
