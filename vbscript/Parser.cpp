#include "vbscript/Parser.h"

#include <unordered_set>

#include "vbscript/Lexer.h"
#include "vbscript/Names.h"
#include "vbscript/ParserImpl.h"

namespace vks::vbscript {

std::unique_ptr<Program> ParseProgram(std::string_view text, const ParseLimits& limits) {
  return ParserImpl(Lex(text), limits).ParseProgram();
}

ExprPtr ParseExpression(std::string_view text, const ParseLimits& limits) {
  return ParserImpl(Lex(text), limits).ParseWholeExpression();
}

ScriptError ScriptError::Compile(int32_t number, int line, int column, const std::string& note) {
  AutomationError base(number, kCompileSource);
  if (note.empty()) return ScriptError(base, line, column);
  return ScriptError(AutomationError(number, kCompileSource, base.Description() + note), line,
                     column);
}

// ---- tokens -----------------------------------------------------------------------------------

bool ParserImpl::AtWord(const char* folded) const {
  return WordAt(0, folded);
}

bool ParserImpl::WordAt(size_t ahead, const char* folded) const {
  return Peek(ahead).kind == Tok::Identifier && FoldName(Peek(ahead).text) == folded;
}

bool ParserImpl::AtProcStart(size_t ahead) const {
  Tok k = Peek(ahead).kind;
  if (k == Tok::Sub || k == Tok::Function) return true;
  if (!WordAt(ahead, "property")) return false;
  Tok n = Peek(ahead + 1).kind;
  return n == Tok::Let || n == Tok::Set || WordAt(ahead + 1, "get");
}

bool ParserImpl::Accept(Tok k) {
  if (!At(k)) return false;
  Next();
  return true;
}

const Token& ParserImpl::Expect(Tok k, int32_t error_number) {
  if (!At(k)) Fail(error_number);
  return Next();
}

std::string ParserImpl::ExpectName() {
  if (!At(Tok::Identifier)) Fail(error::kExpectedIdentifier);
  return Next().text;
}

bool ParserImpl::AtStatementEnd() const {
  return At(Tok::Newline) || At(Tok::Colon) || At(Tok::EndOfText);
}

void ParserImpl::ExpectStatementEnd() {
  if (!AtStatementEnd()) Fail(error::kExpectedEndOfStatement);
}

void ParserImpl::SkipSeparators() {
  while (At(Tok::Newline) || At(Tok::Colon)) Next();
}

void ParserImpl::Fail(int32_t number) const {
  FailAt(number, Peek());
}

void ParserImpl::FailAt(int32_t number, const Token& t, const std::string& note) const {
  throw ScriptError::Compile(number, t.line, t.column, note);
}

void ParserImpl::FailUnclosed(int32_t number, const char* what, int open_line) const {
  FailAt(number, Peek(),
         " (zu '" + std::string(what) + "' in Zeile " + std::to_string(open_line) + ")");
}

void ParserImpl::Enter() {
  if (++depth_ > limits_.max_depth) {
    depth_ = 0;
    FailAt(error::kOutOfStack, Peek());
  }
}

// ---- program ----------------------------------------------------------------------------------

// Program -> { Option Explicit | Class | ProcDecl | Statement } EndOfText
std::unique_ptr<Program> ParserImpl::ParseProgram() {
  auto program = std::make_unique<Program>();
  program_ = program.get();
  ParseTopLevel(*program);
  // A procedure and a script-level variable or constant would be one name declared twice.
  std::unordered_set<std::string> variablen;
  for (const std::string& name : program->global_names) variablen.insert(FoldName(name));
  for (const auto& proc : program->procs) {
    if (variablen.count(proc->folded))
      throw ScriptError::Compile(error::kNameRedefined, proc->line, proc->column, "");
  }
  program->option_explicit = option_explicit_;
  for (auto& proc : program->procs) proc->option_explicit = option_explicit_;
  for (auto& cls : program->classes)
    for (auto& proc : cls->procs) proc->option_explicit = option_explicit_;
  return program;
}

ExprPtr ParserImpl::ParseWholeExpression() {
  while (At(Tok::Newline)) Next();
  ExprPtr e = ParseExpr();
  while (At(Tok::Newline)) Next();
  if (!At(Tok::EndOfText)) Fail(error::kExpectedEndOfStatement);
  return e;
}

void ParserImpl::ParseTopLevel(Program& program) {
  for (;;) {
    SkipSeparators();
    if (At(Tok::EndOfText)) return;
    if (At(Tok::Option)) {
      Next();
      if (!AtWord("explicit")) Fail(error::kSyntax);
      Next();
      option_explicit_ = true;
      ExpectStatementEnd();
      continue;
    }
    if (At(Tok::Class)) {
      program.classes.push_back(ParseClass());
      continue;
    }
    bool is_public = true;
    bool has_scope = false;
    size_t start = pos_;
    if (At(Tok::Public) || At(Tok::Private)) {
      is_public = At(Tok::Public);
      has_scope = true;
      Next();
    }
    bool is_default = false;
    if (AtWord("default") && AtProcStart(1)) {
      is_default = true;
      Next();
    }
    if (AtProcStart()) {
      program.procs.push_back(ParseProc(is_public, is_default, nullptr));
      continue;
    }
    if (is_default) Fail(error::kSyntax);
    if (has_scope && At(Tok::Const)) {
      program.body.push_back(ParseConst());
    } else if (has_scope) {
      // `Public a, b(3)` at script level declares globals like Dim.
      pos_ = start;
      program.body.push_back(ParseDim(false));
    } else {
      program.body.push_back(ParseStatement(BlockEnd::None));
    }
    ExpectStatementEnd();
  }
}

// ---- blocks and statements --------------------------------------------------------------------

bool ParserImpl::AtBlockEnd(BlockEnd end) const {
  switch (end) {
    case BlockEnd::None:
      return At(Tok::EndOfText);
    case BlockEnd::End:
      return At(Tok::End);
    case BlockEnd::ElseOrEnd:
      return At(Tok::Else) || At(Tok::ElseIf) || At(Tok::End);
    case BlockEnd::CaseOrEnd:
      return At(Tok::Case) || At(Tok::End);
    case BlockEnd::Next:
      return At(Tok::Next);
    case BlockEnd::Loop:
      return At(Tok::Loop);
    case BlockEnd::Wend:
      return At(Tok::Wend);
    case BlockEnd::SingleLine:
      return At(Tok::Newline) || At(Tok::EndOfText) || At(Tok::Else);
    case BlockEnd::SingleLineElse:
      return At(Tok::Newline) || At(Tok::EndOfText);
  }
  return false;
}

// Block -> { Statement (NL | ':') } up to the token that ends it
Block ParserImpl::ParseBlock(BlockEnd end, int32_t unclosed_error, const char* opener,
                             int open_line) {
  Enter();
  ++block_depth_;
  Block block;
  bool single = end == BlockEnd::SingleLine || end == BlockEnd::SingleLineElse;
  for (;;) {
    if (single) {
      while (At(Tok::Colon)) Next();
    } else {
      SkipSeparators();
    }
    if (AtBlockEnd(end)) break;
    if (At(Tok::EndOfText) || At(Tok::End) || At(Tok::Next) || At(Tok::Loop) || At(Tok::Wend) ||
        At(Tok::Else) || At(Tok::ElseIf) || (At(Tok::Case) && end != BlockEnd::None)) {
      if (unclosed_error != 0) FailUnclosed(unclosed_error, opener, open_line);
      if (At(Tok::Next)) Fail(error::kUnexpectedNext);
      if (At(Tok::Loop)) Fail(error::kLoopWithoutDo);
      Fail(error::kExpectedStatement);
    }
    if (!proc_ && program_ && !single && (At(Tok::Sub) || At(Tok::Function))) {
      // A procedure declared inside a script-level block is declared with the script.
      program_->procs.push_back(ParseProc(true, false, nullptr));
      ExpectStatementEnd();
      continue;
    }
    block.push_back(ParseStatement(end));
    if (single && (AtBlockEnd(end) || (At(Tok::End) && Peek(1).kind == Tok::If))) break;
    // `Sub S() x = 1 End Sub`: the end of a procedure may follow a statement on its line.
    if (proc_ && end == BlockEnd::End && At(Tok::End) && AtProcStart(1)) break;
    ExpectStatementEnd();
  }
  --block_depth_;
  Leave();
  return block;
}

// Statement -> Dim | ReDim | Const | If | Select | For | Do | While | Exit | On Error | With
//            | Erase | Call | Set Assign | [Let] Assign | SubCall
StmtPtr ParserImpl::ParseStatement(BlockEnd end) {
  (void)end;
  switch (Kind()) {
    case Tok::Dim:
      return ParseDim(false);
    case Tok::ReDim:
      return ParseDim(true);
    case Tok::Const:
      return ParseConst();
    case Tok::If:
      return ParseIf();
    case Tok::Select:
      return ParseSelect();
    case Tok::For:
      return ParseFor();
    case Tok::Do:
      return ParseDo();
    case Tok::While:
      return ParseWhile();
    case Tok::Exit:
      return ParseExit();
    case Tok::On:
      return ParseOnError();
    case Tok::With:
      return ParseWith();

    case Tok::Call:
      return ParseCallStatement();
    case Tok::Set:
      Next();
      return ParseAssignOrCall(true);
    case Tok::Let:
      Next();
      return ParseAssignOrCall(false);
    case Tok::Identifier:
      if (AtWord("erase") && Peek(1).kind == Tok::Identifier) return ParseErase();
      return ParseAssignOrCall(false);
    case Tok::Dot:
    case Tok::Me:
      return ParseAssignOrCall(false);
    case Tok::Loop:
      Fail(error::kLoopWithoutDo);
    case Tok::Next:
      Fail(error::kUnexpectedNext);
    default:
      break;
  }
  Fail(error::kExpectedStatement);
}

// Dim -> (Dim | Public | Private) DimItem { ',' DimItem }
// ReDim -> ReDim [Preserve] Name '(' Expr { ',' Expr } ')' { ',' … }
// DimItem -> Name [ '(' [ Expr { ',' Expr } ] ')' ]
StmtPtr ParserImpl::ParseDim(bool is_redim) {
  const Token& kw = Next();
  auto stmt =
      std::make_unique<DimStmt>(is_redim ? StmtKind::ReDim : StmtKind::Dim, kw.line, kw.column);
  if (is_redim && AtWord("preserve")) {
    Next();
    stmt->preserve = true;
  }
  do {
    if (!At(Tok::Identifier)) Fail(error::kExpectedIdentifier);
    DimItem item;
    item.name = MakeName(Next());
    if (Accept(Tok::LParen)) {
      item.is_array = true;
      if (!At(Tok::RParen)) {
        do item.bounds.push_back(ParseExpr());
        while (Accept(Tok::Comma));
      }
      Expect(Tok::RParen, error::kExpectedRParen);
    } else if (is_redim) {
      Fail(error::kExpectedLParen);
    }
    if (is_redim && item.bounds.empty()) Fail(error::kExpectedExpression);
    if (!is_redim && !item.bounds.empty()) {
      // Fixed bounds must be numbers written out.
      for (auto& b : item.bounds)
        if (b->kind != ExprKind::Literal) FailAt(error::kExpectedInteger, kw);
    }
    if (proc_ && !is_redim)
      DeclareLocal(item.name->folded);
    else if (proc_) {
    } else if (program_)
      program_->global_names.push_back(item.name->name);
    stmt->items.push_back(std::move(item));
  } while (Accept(Tok::Comma));
  return stmt;
}

// Const -> [Public | Private] Const Name '=' Expr { ',' Name '=' Expr }
StmtPtr ParserImpl::ParseConst() {
  const Token& kw = Next();
  auto stmt = std::make_unique<ConstStmt>(kw.line, kw.column);
  do {
    if (!At(Tok::Identifier)) Fail(error::kExpectedIdentifier);
    auto name = MakeName(Next());
    Expect(Tok::Equal, error::kExpectedEqual);
    ExprPtr value = ParseExpr();
    if (proc_)
      DeclareLocal(name->folded);
    else if (program_)
      program_->global_names.push_back(name->name);
    stmt->items.emplace_back(std::move(name), std::move(value));
  } while (Accept(Tok::Comma));
  // A Const inside a block holds even when the block never runs: it also runs on entry.
  if (block_depth_ > (proc_ ? 1 : 0)) {
    if (proc_)
      proc_->consts.push_back(stmt.get());
    else if (program_)
      program_->consts.push_back(stmt.get());
  }
  return stmt;
}

// If -> If Expr Then NL Block { ElseIf Expr Then NL Block } [ Else NL Block ] End If
//     | If Expr Then Statements [ Else Statements ]            (on one line)
StmtPtr ParserImpl::ParseIf() {
  const Token& kw = Next();
  int open_line = kw.line;
  auto stmt = std::make_unique<IfStmt>(kw.line, kw.column);
  ExprPtr cond = ParseExpr();
  Expect(Tok::Then, error::kExpectedThen);
  if (!At(Tok::Newline) && !At(Tok::EndOfText)) {
    Block then_block = ParseBlock(BlockEnd::SingleLine);
    stmt->branches.emplace_back(std::move(cond), std::move(then_block));
    if (Accept(Tok::Else)) stmt->else_block = ParseBlock(BlockEnd::SingleLineElse);
    // `If a Then b End If` on one line is accepted as the block form.
    if (At(Tok::End) && Peek(1).kind == Tok::If) {
      Next();
      Next();
    }
    return stmt;
  }
  Block block = ParseBlock(BlockEnd::ElseOrEnd, error::kExpectedEnd, "If", open_line);
  stmt->branches.emplace_back(std::move(cond), std::move(block));
  while (At(Tok::ElseIf)) {
    Next();
    ExprPtr c = ParseExpr();
    Expect(Tok::Then, error::kExpectedThen);
    Block b = ParseBlock(BlockEnd::ElseOrEnd, error::kExpectedEnd, "If", open_line);
    stmt->branches.emplace_back(std::move(c), std::move(b));
  }
  if (Accept(Tok::Else))
    stmt->else_block = ParseBlock(BlockEnd::End, error::kExpectedEnd, "If", open_line);
  Expect(Tok::End, error::kExpectedEnd);
  Expect(Tok::If, error::kExpectedIf);
  return stmt;
}

// Select -> Select Case Expr NL { Case CaseTest { ',' CaseTest } NL Block } [ Case Else NL Block ]
//           End Select
StmtPtr ParserImpl::ParseSelect() {
  const Token& kw = Next();
  int open_line = kw.line;
  auto stmt = std::make_unique<SelectStmt>(kw.line, kw.column);
  Expect(Tok::Case, error::kExpectedCase);
  stmt->subject = ParseExpr();
  ExpectStatementEnd();
  SkipSeparators();
  while (At(Tok::Case)) {
    Next();
    if (Accept(Tok::Else)) {
      stmt->has_else = true;
      stmt->else_block = ParseBlock(BlockEnd::End, error::kExpectedEnd, "Select", open_line);
      break;
    }
    std::vector<CaseTest> tests;
    do tests.push_back(ParseCaseTest());
    while (Accept(Tok::Comma));
    Block b = ParseBlock(BlockEnd::CaseOrEnd, error::kExpectedEnd, "Select", open_line);
    stmt->cases.emplace_back(std::move(tests), std::move(b));
  }
  if (!At(Tok::End)) FailUnclosed(error::kExpectedEnd, "Select", open_line);
  Next();
  Expect(Tok::Select, error::kExpectedSelect);
  return stmt;
}

// CaseTest -> Expr [ To Expr ] | Is CompareOp Expr
CaseTest ParserImpl::ParseCaseTest() {
  CaseTest t;
  if (Accept(Tok::Is)) {
    t.kind = CaseTest::Compare;
    switch (Kind()) {
      case Tok::Equal:
        t.op = Op::Eq;
        break;
      case Tok::NotEqual:
        t.op = Op::Ne;
        break;
      case Tok::Less:
        t.op = Op::Lt;
        break;
      case Tok::Greater:
        t.op = Op::Gt;
        break;
      case Tok::LessEqual:
        t.op = Op::Le;
        break;
      case Tok::GreaterEqual:
        t.op = Op::Ge;
        break;
      default:
        Fail(error::kSyntax);
    }
    Next();
    t.a = ParseConcat();
    return t;
  }
  t.a = ParseExpr();
  if (Accept(Tok::To)) {
    t.kind = CaseTest::Range;
    t.b = ParseExpr();
  }
  return t;
}

}  // namespace vks::vbscript
