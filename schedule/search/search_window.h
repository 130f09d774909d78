// The search window: one or two words over the schedules of a period, the to-do list and the
// text memos; one line per hit, a click shows the day or the memo below.
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <string>
#include <vector>

#include "search_core.h"

namespace schedule {

class SearchJob;

class TfrKensaku : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 558;
    static constexpr int kClientHeight = 592;

    explicit TfrKensaku(QWidget* parent = nullptr);
    ~TfrKensaku() override;

    QGroupBox* GroupBox1 = nullptr;
    QCheckBox *cbYotei = nullptr, *cbToDo = nullptr, *chFusenMemo = nullptr;
    QGroupBox* gbKikan = nullptr;
    QComboBox *tx_yy = nullptr, *tx_mm = nullptr, *tx_yy2 = nullptr, *tx_mm2 = nullptr;
    QLineEdit *tx_ken = nullptr, *tx_ken2 = nullptr;
    QPushButton *bt_go = nullptr, *Button2 = nullptr;
    QLabel* lb_msg = nullptr;
    QSplitter* Splitter1 = nullptr;
    QPlainTextEdit* tx = nullptr;   // results, one hit a line
    QPlainTextEdit* tx2 = nullptr;  // details of the clicked hit
    QLabel* pic1 = nullptr;
    QAction *mnuKenMojiCL = nullptr, *mnuKenCopy = nullptr, *mnuKenSyousaiCopy = nullptr;

    // Most result lines the pane shows; the count says how many more there were.
    int ResultCapacity = 20000;
    // Work between two looks at the user's input while a search runs.
    int SliceMs = 30;

    // Handlers, public so that tests drive them.
    void bt_goClick();
    // A click on the result pane's line (0-based).
    void txMouseDown(int line);
    void cbYoteiChanged();
    void mnuKenMojiCLClick();
    void mnuKenCopyClick();
    void mnuKenSyousaiCopyClick();

    // The hits of the last search, in the order of their lines.
    const std::vector<SearchHit>& Hits() const { return hits_; }
    // The panes' texts as the program keeps them (CP932, CR LF).
    const std::string& ResultText() const { return resultText_; }
    const std::string& DetailText() const { return detailText_; }

    // Also stops a running search.
    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void FormCreate();
    void RunSearch();
    // False when the window was closed during the search.
    bool RunSteps(SearchJob& job);
    // Appends the hits not yet shown, up to the capacity.
    void ShowResults();
    void SetDetail(const std::string& text);

    std::vector<SearchHit> hits_;
    size_t shown_ = 0;
    bool searching_ = false;
    bool stopRequested_ = false;
    std::string resultText_;
    std::string detailText_;
};

// The window while one exists.
extern TfrKensaku* frKensaku;

}  // namespace schedule
