#pragma once
// The parser's state, shared by its three files: statements (Parser.cpp), expressions
// (ParserExpr.cpp) and declarations of procedures and classes (ParserDecl.cpp).
#include <string>
#include <unordered_map>
#include <vector>

#include "vbscript/Ast.h"
#include "vbscript/Parser.h"
#include "vbscript/ScriptError.h"
#include "vbscript/Token.h"

namespace vks::vbscript {

class ParserImpl {
 public:
  ParserImpl(std::vector<Token> tokens, const ParseLimits& limits)
      : tokens_(std::move(tokens)), limits_(limits) {}

  std::unique_ptr<Program> ParseProgram();
  ExprPtr ParseWholeExpression();

 private:
  // What ends the block being parsed.
  enum class BlockEnd : uint8_t {
    None,
    End,
    ElseOrEnd,
    CaseOrEnd,
    Next,
    Loop,
    Wend,
    SingleLine,
    SingleLineElse
  };

  // Tokens.
  const Token& Peek(size_t ahead = 0) const {
    size_t i = pos_ + ahead;
    return i < tokens_.size() ? tokens_[i] : tokens_.back();
  }
  Tok Kind() const { return Peek().kind; }
  bool At(Tok k) const { return Kind() == k; }
  bool AtWord(const char* folded) const;
  bool WordAt(size_t ahead, const char* folded) const;
  // Sub, Function or Property Get/Let/Set `ahead` tokens on.
  bool AtProcStart(size_t ahead = 0) const;
  const Token& Next() { return tokens_[pos_ < tokens_.size() - 1 ? pos_++ : pos_]; }
  bool Accept(Tok k);
  const Token& Expect(Tok k, int32_t error_number);
  std::string ExpectName();
  bool AtStatementEnd() const;
  void ExpectStatementEnd();
  void SkipSeparators();
  [[noreturn]] void Fail(int32_t number) const;
  [[noreturn]] void FailAt(int32_t number, const Token& t, const std::string& note = {}) const;
  [[noreturn]] void FailUnclosed(int32_t number, const char* what, int open_line) const;

  // Statements (Parser.cpp).
  void ParseTopLevel(Program& program);
  Block ParseBlock(BlockEnd end, int32_t unclosed_error = 0, const char* opener = "",
                   int open_line = 0);
  StmtPtr ParseStatement(BlockEnd end);
  StmtPtr ParseDim(bool is_redim);
  StmtPtr ParseConst();
  StmtPtr ParseIf();
  StmtPtr ParseSelect();
  StmtPtr ParseFor();
  StmtPtr ParseDo();
  StmtPtr ParseWhile();
  StmtPtr ParseExit();
  StmtPtr ParseOnError();
  StmtPtr ParseWith();
  StmtPtr ParseErase();
  StmtPtr ParseCallStatement();
  StmtPtr ParseAssignOrCall(bool is_set);
  CaseTest ParseCaseTest();
  bool AtBlockEnd(BlockEnd end) const;

  // Declarations (ParserDecl.cpp).
  std::unique_ptr<ProcDecl> ParseProc(bool is_public, bool is_default, const ClassDecl* owner);
  std::unique_ptr<ClassDecl> ParseClass();
  void ParseFields(ClassDecl& cls, bool is_public);
  void ParseParams(ProcDecl& proc);
  void DeclareLocal(const std::string& folded);
  void FinishProc(ProcDecl& proc);
  std::unique_ptr<NameExpr> MakeName(const Token& t);

  // Expressions (ParserExpr.cpp).
  ExprPtr ParseExpr();
  ExprPtr ParseImp();
  ExprPtr ParseEqv();
  ExprPtr ParseXor();
  ExprPtr ParseOr();
  ExprPtr ParseAnd();
  ExprPtr ParseNot();
  ExprPtr ParseCompare();
  ExprPtr ParseConcat();
  ExprPtr ParseAdd();
  ExprPtr ParseMod();
  ExprPtr ParseIntDiv();
  ExprPtr ParseMul();
  ExprPtr ParseUnary();
  ExprPtr ParsePow();
  ExprPtr ParsePrimary();
  // A name with its member accesses and argument lists; stops before the token at `stop_at`.
  ExprPtr ParseChain(size_t stop_at = SIZE_MAX);
  ExprPtr ParsePostfix(ExprPtr base, size_t stop_at);
  Args ParseArgList(Tok close);
  void Enter();
  void Leave() { --depth_; }

  std::vector<Token> tokens_;
  size_t pos_ = 0;
  ParseLimits limits_;
  int depth_ = 0;
  int with_depth_ = 0;
  int block_depth_ = 0;  // blocks open around the statement being parsed (a body counts)
  int loop_for_ = 0;     // open For loops (Exit For)
  int loop_do_ = 0;      // open Do loops (Exit Do)
  // The procedure being parsed, its declared locals and the names used in it.
  ProcDecl* proc_ = nullptr;
  std::unordered_map<std::string, int> locals_;
  std::vector<NameExpr*> proc_names_;
  bool option_explicit_ = false;
  Program* program_ = nullptr;
};

}  // namespace vks::vbscript
