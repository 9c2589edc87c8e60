#pragma once
// Colouring of rule scripts in the editor: VBScript keywords, the server's globals, strings,
// numbers and comments.
#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <vector>

namespace vks {

class VBScriptHervorhebung : public QSyntaxHighlighter {
  Q_OBJECT
 public:
  explicit VBScriptHervorhebung(QTextDocument* dokument);

  // The format given to character `position` of `zeile` (for the tests: which rule applied).
  enum class Art { kKeine, kSchluesselwort, kGlobal, kText, kZahl, kKommentar };
  static std::vector<Art> Arten(const QString& zeile);

 protected:
  void highlightBlock(const QString& text) override;

 private:
  QTextCharFormat formate_[6];
};

}  // namespace vks
