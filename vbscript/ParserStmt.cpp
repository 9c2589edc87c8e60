// Loops, With, Exit, On Error, Erase, calls and assignments.
#include "vbscript/Names.h"
#include "vbscript/Operators.h"
#include "vbscript/ParserImpl.h"

namespace vks::vbscript {

// For -> For Name '=' Expr To Expr [ Step Expr ] NL Block Next [ Name ]
// ForEach -> For Each Name In Expr NL Block Next [ Name ]
StmtPtr ParserImpl::ParseFor() {
  const Token& kw = Next();
  int open_line = kw.line;
  int line = kw.line, column = kw.column;
  ++loop_for_;
  StmtPtr result;
  if (Accept(Tok::Each)) {
    auto stmt = std::make_unique<ForEachStmt>(line, column);
    if (!At(Tok::Identifier)) Fail(error::kExpectedIdentifier);
    stmt->var = MakeName(Next());
    Expect(Tok::In, error::kExpectedIn);
    stmt->collection = ParseExpr();
    ExpectStatementEnd();
    stmt->body = ParseBlock(BlockEnd::Next, error::kExpectedNext, "For", open_line);
    result = std::move(stmt);
  } else {
    auto stmt = std::make_unique<ForStmt>(line, column);
    if (!At(Tok::Identifier)) Fail(error::kExpectedIdentifier);
    stmt->var = MakeName(Next());
    Expect(Tok::Equal, error::kExpectedEqual);
    stmt->from = ParseExpr();
    Expect(Tok::To, error::kExpectedTo);
    stmt->to = ParseExpr();
    if (AtWord("step")) {
      Next();
      stmt->step = ParseExpr();
    }
    ExpectStatementEnd();
    stmt->body = ParseBlock(BlockEnd::Next, error::kExpectedNext, "For", open_line);
    result = std::move(stmt);
  }
  Next();  // Next
  if (At(Tok::Identifier)) Next();
  --loop_for_;
  return result;
}

// Do -> Do [ (While | Until) Expr ] NL Block Loop [ (While | Until) Expr ]
StmtPtr ParserImpl::ParseDo() {
  const Token& kw = Next();
  int open_line = kw.line;
  auto stmt = std::make_unique<DoStmt>(kw.line, kw.column);
  if (At(Tok::While) || At(Tok::Until)) {
    stmt->until = Next().kind == Tok::Until;
    stmt->cond = ParseExpr();
  }
  ExpectStatementEnd();
  ++loop_do_;
  stmt->body = ParseBlock(BlockEnd::Loop, error::kExpectedLoop, "Do", open_line);
  --loop_do_;
  Next();  // Loop
  if (At(Tok::While) || At(Tok::Until)) {
    if (stmt->cond) Fail(error::kExpectedEndOfStatement);
    stmt->until = Next().kind == Tok::Until;
    stmt->test_after = true;
    stmt->cond = ParseExpr();
  }
  return stmt;
}

// While -> While Expr NL Block Wend
StmtPtr ParserImpl::ParseWhile() {
  const Token& kw = Next();
  auto stmt = std::make_unique<WhileStmt>(kw.line, kw.column);
  stmt->cond = ParseExpr();
  ExpectStatementEnd();
  stmt->body = ParseBlock(BlockEnd::Wend, error::kExpectedWend, "While", kw.line);
  Next();
  return stmt;
}

// Exit -> Exit (For | Do | Sub | Function | Property)
StmtPtr ParserImpl::ParseExit() {
  const Token& kw = Next();
  ExitKind what;
  bool ok;
  if (AtWord("property")) {
    Next();
    if (!proc_ || proc_->kind == ProcKind::Sub || proc_->kind == ProcKind::Function)
      Fail(error::kInvalidExit);
    return std::make_unique<ExitStmt>(ExitKind::Property, kw.line, kw.column);
  }
  switch (Kind()) {
    case Tok::For:
      what = ExitKind::For, ok = loop_for_ > 0;
      break;
    case Tok::Do:
      what = ExitKind::Do, ok = loop_do_ > 0;
      break;
    case Tok::Sub:
      what = ExitKind::Sub, ok = proc_ && proc_->kind == ProcKind::Sub;
      break;
    case Tok::Function:
      what = ExitKind::Function, ok = proc_ && proc_->kind == ProcKind::Function;
      break;
    default:
      Fail(error::kInvalidExit);
  }
  if (!ok) Fail(error::kInvalidExit);
  Next();
  return std::make_unique<ExitStmt>(what, kw.line, kw.column);
}

// OnError -> On Error Resume Next | On Error GoTo 0
StmtPtr ParserImpl::ParseOnError() {
  const Token& kw = Next();
  if (!AtWord("error")) Fail(error::kSyntax);
  Next();
  if (Accept(Tok::Resume)) {
    Expect(Tok::Next, error::kSyntax);
    return std::make_unique<OnErrorStmt>(true, kw.line, kw.column);
  }
  Expect(Tok::GoTo, error::kSyntax);
  if (!At(Tok::Number) || Peek().value != Variant(int16_t{0})) Fail(error::kSyntax);
  Next();
  return std::make_unique<OnErrorStmt>(false, kw.line, kw.column);
}

// With -> With Expr NL Block End With
StmtPtr ParserImpl::ParseWith() {
  const Token& kw = Next();
  auto stmt = std::make_unique<WithStmt>(kw.line, kw.column);
  stmt->object = ParseExpr();
  ExpectStatementEnd();
  ++with_depth_;
  stmt->body = ParseBlock(BlockEnd::End, error::kExpectedEnd, "With", kw.line);
  --with_depth_;
  Next();
  Expect(Tok::With, error::kExpectedWith);
  return stmt;
}

// Erase -> Erase Name { ',' Name }
StmtPtr ParserImpl::ParseErase() {
  const Token& kw = Next();
  auto stmt = std::make_unique<EraseStmt>(kw.line, kw.column);
  do {
    if (!At(Tok::Identifier)) Fail(error::kExpectedIdentifier);
    stmt->targets.push_back(MakeName(Next()));
  } while (Accept(Tok::Comma));
  return stmt;
}

// CallStmt -> Call Chain       (arguments in parentheses keep their ByRef meaning)
StmtPtr ParserImpl::ParseCallStatement() {
  const Token& kw = Next();
  auto stmt = std::make_unique<CallStmt>(kw.line, kw.column);
  if (At(Tok::LParen)) {
    stmt->call = ParsePrimary();  // `Call (New K).M`
    return stmt;
  }
  if (!At(Tok::Identifier) && !At(Tok::Dot) && !At(Tok::Me)) Fail(error::kExpectedIdentifier);
  stmt->call = ParseChain();
  return stmt;
}

namespace {

Args* ArgsOf(Expr& e) {
  switch (e.kind) {
    case ExprKind::Name:
      return &static_cast<NameExpr&>(e).args;
    case ExprKind::Member:
      return &static_cast<MemberExpr&>(e).args;
    case ExprKind::Apply:
      return &static_cast<ApplyExpr&>(e).args;
    default:
      return nullptr;
  }
}

bool HasParens(const Expr& e) {
  switch (e.kind) {
    case ExprKind::Name:
      return static_cast<const NameExpr&>(e).has_parens;
    case ExprKind::Member:
      return static_cast<const MemberExpr&>(e).has_parens;
    case ExprKind::Apply:
      return true;
    default:
      return false;
  }
}

}  // namespace

// Assign -> Chain '=' Expr
// SubCall -> Chain [ Arg { ',' Arg } ]    (no parentheses around the argument list)
StmtPtr ParserImpl::ParseAssignOrCall(bool is_set) {
  const Token& first = Peek();
  int line = first.line, column = first.column;
  size_t start = pos_;
  size_t names_before = proc_names_.size();
  // Remember where the chain's last argument list opened: `F (a) + 1, b` starts with an argument.
  ExprPtr target = ParseChain();
  if (Accept(Tok::Equal)) {
    if (target->kind == ExprKind::Me) Fail(error::kInvalidMe);
    auto stmt = std::make_unique<AssignStmt>(line, column);
    stmt->target = std::move(target);
    stmt->value = ParseExpr();
    stmt->is_set = is_set;
    if (!is_set && stmt->target->kind == ExprKind::Name && stmt->value->kind == ExprKind::Binary) {
      const auto& n = static_cast<const NameExpr&>(*stmt->target);
      const auto& b = static_cast<const BinaryExpr&>(*stmt->value);
      if (n.args.empty() && !n.has_parens && (IsArithmetic(b.op) || IsComparison(b.op)))
        stmt->arithmetic = &b;
    }
    return stmt;
  }
  if (is_set) Fail(error::kExpectedEqual);
  auto stmt = std::make_unique<CallStmt>(line, column);
  if (AtStatementEnd() || At(Tok::Else)) {
    // `F(a)` alone: the parentheses belong to the argument, which therefore goes by value.
    Args* args = ArgsOf(*target);
    if (HasParens(*target) && args) {
      if (args->size() > 1) FailAt(error::kParensOnSubCall, first);
      for (auto& a : *args) {
        if (!a) continue;
        int l = a->line, c = a->column;
        a = std::make_unique<ParenExpr>(std::move(a), l, c);
      }
    }
    stmt->call = std::move(target);
    return stmt;
  }
  if (HasParens(*target)) {
    // Re-read: the last parenthesis group opens the first argument instead.
    size_t paren = SIZE_MAX;
    int nesting = 0;
    for (size_t i = pos_; i-- > start;) {
      if (tokens_[i].kind == Tok::RParen) ++nesting;
      if (tokens_[i].kind == Tok::LParen && --nesting == 0) {
        paren = i;
        break;
      }
    }
    pos_ = start;
    target.reset();
    proc_names_.resize(names_before);  // the first reading's names are gone
    target = ParseChain(paren);
  }
  Args* args = ArgsOf(*target);
  if (!args || HasParens(*target)) Fail(error::kExpectedEndOfStatement);
  for (;;) {
    if (At(Tok::Comma)) {
      args->push_back(nullptr);
    } else {
      args->push_back(ParseExpr());
      if (!At(Tok::Comma)) break;
    }
    Next();
  }
  stmt->call = std::move(target);
  return stmt;
}

}  // namespace vks::vbscript
