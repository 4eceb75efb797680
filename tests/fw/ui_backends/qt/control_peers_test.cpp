// The list and edit controls of the Qt backend: sorted insertion by the
// locale with case ignored, the list operations' edge cases, selection, and
// path bytes that are not UTF-8.
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QTest>

#include "fw/ui_backends/qt/control_peers.h"

namespace {

std::vector<std::string> Entries(const fw::qt::ListPeer& list) {
    std::vector<std::string> entries;
    for (int i = 0; i < list.GetCount(); ++i) {
        std::string text;
        list.GetText(i, text);
        entries.push_back(text);
    }
    return entries;
}

} // namespace

class ListAndEditPeerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void sortedListIgnoresCaseAndKeepsArrivalOrder() {
        QListWidget widget;
        fw::qt::ListPeer list(&widget, true);
        QCOMPARE(list.AddString("/v/b.mpg"), 0);
        QCOMPARE(list.AddString("/v/A.mpg"), 0);
        QCOMPARE(list.AddString("/v/a.mpg"), 1); // equal to "A": after it
        QCOMPARE(list.AddString("/v/B.mpg"), 3); // equal to "b": after it
        QCOMPARE(list.AddString("/v/c.mpg"), 4);
        QCOMPARE(list.AddString("/v/a.mpg"), 2); // the same file twice: listed twice
        QCOMPARE(list.AddString(""), 0);         // an empty entry sorts first
        QCOMPARE(Entries(list), (std::vector<std::string>{"", "/v/A.mpg", "/v/a.mpg", "/v/a.mpg",
                                                          "/v/b.mpg", "/v/B.mpg", "/v/c.mpg"}));
    }

    void unsortedListKeepsInsertionPlaces() {
        QListWidget widget;
        fw::qt::ListPeer list(&widget, false);
        QCOMPARE(list.AddString("b"), 0);
        QCOMPARE(list.AddString("a"), 1);
        QCOMPARE(list.InsertString(0, "c"), 0);
        QCOMPARE(list.InsertString(-1, "d"), 3);
        QCOMPARE(list.InsertString(5, "x"), -1); // past the end
        QCOMPARE(list.InsertString(4, "e"), 4);  // at the end
        QCOMPARE(Entries(list), (std::vector<std::string>{"c", "b", "a", "d", "e"}));
        QCOMPARE(list.DeleteString(1), 4);
        QCOMPARE(list.DeleteString(4), -1);
        QCOMPARE(list.DeleteString(-1), -1);
        QCOMPARE(Entries(list), (std::vector<std::string>{"c", "a", "d", "e"}));

        std::string untouched = "keep";
        QCOMPARE(list.GetText(4, untouched), -1);
        QCOMPARE(untouched, std::string("keep"));
    }

    void entriesKeepTheirBytes() {
        QListWidget widget;
        fw::qt::ListPeer list(&widget, false);
        const std::string japanese = "/v/動画01.mpg";     // UTF-8, 2 x 3 bytes
        const std::string latin1 = "/v/caf\xe9 \xff.mpg"; // not valid UTF-8
        list.AddString(japanese);
        list.AddString(latin1);
        QCOMPARE(widget.item(0)->text(), QStringLiteral("/v/動画01.mpg"));
        std::string text;
        QCOMPARE(list.GetText(1, text), static_cast<int>(latin1.size()));
        QVERIFY(text == latin1);
        // Moving an entry the way the order buttons do keeps its bytes.
        list.DeleteString(1);
        list.InsertString(0, text);
        list.GetText(0, text);
        QVERIFY(text == latin1);
    }

    void selectionStartsEmptyAndFollowsSetCurSel() {
        QListWidget widget;
        widget.setSelectionMode(QAbstractItemView::SingleSelection);
        fw::qt::ListPeer list(&widget, false);
        for (const char* entry : {"a", "b", "c"})
            list.AddString(entry);
        QCOMPARE(list.GetCurSel(), -1);
        QCOMPARE(list.SetCurSel(2), 2);
        QCOMPARE(list.GetCurSel(), 2);
        QCOMPARE(list.SetCurSel(1), 1);
        QCOMPARE(widget.selectedItems().size(), 1);
        QCOMPARE(list.SetCurSel(3), -1); // out of range clears
        QCOMPARE(list.GetCurSel(), -1);
        list.SetCurSel(0);
        QCOMPARE(list.SetCurSel(-1), -1);
        QCOMPARE(list.GetCurSel(), -1);
        // Deleting the selected entry leaves no selection.
        list.SetCurSel(1);
        list.DeleteString(1);
        QCOMPARE(list.GetCurSel(), -1);
    }

    void editKeepsBytesUntilTheUserEdits() {
        QLineEdit widget;
        fw::qt::EditPeer edit(&widget);
        QCOMPARE(edit.GetText(), std::string());
        const std::string latin1 = "/home/u/Desktop/caf\xe9.mpg";
        edit.SetText(latin1);
        QVERIFY(edit.GetText() == latin1);
        QCOMPARE(widget.cursorPosition(), 0);
        widget.setText(QStringLiteral("/tmp/結合.mpg"));
        QCOMPARE(edit.GetText(), std::string("/tmp/結合.mpg"));
        edit.SetText("");
        QCOMPARE(widget.text(), QString());
    }
};

QTEST_MAIN(ListAndEditPeerTest)
#include "control_peers_test.moc"
