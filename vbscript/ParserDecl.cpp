// Procedures and classes, and the binding of procedure-local names to frame slots.
#include "vbscript/Names.h"
#include "vbscript/ParserImpl.h"

namespace vks::vbscript {

std::unique_ptr<NameExpr> ParserImpl::MakeName(const Token& t) {
  auto name = std::make_unique<NameExpr>(t.text, FoldName(t.text), t.line, t.column);
  if (proc_) proc_names_.push_back(name.get());
  return name;
}

void ParserImpl::DeclareLocal(const std::string& folded) {
  if (locals_.count(folded)) {
    // A second Dim of a parameter or local is a redefinition.
    if (locals_[folded] != 0 || proc_->kind == ProcKind::Sub) Fail(error::kNameRedefined);
    return;
  }
  locals_.emplace(folded, proc_->slot_count++);
  proc_->slot_names.push_back(folded);
}

// Params -> [ Param { ',' Param } ]
// Param -> [ ByVal | ByRef ] Name [ '(' ')' ]
void ParserImpl::ParseParams(ProcDecl& proc) {
  if (!Accept(Tok::LParen)) return;
  if (Accept(Tok::RParen)) return;
  do {
    Param p;
    if (AtWord("byval")) {
      p.by_val = true;
      Next();
    } else if (AtWord("byref")) {
      Next();
    }
    const Token& name = Peek();
    p.name = ExpectName();
    std::string folded = FoldName(p.name);
    if (locals_.count(folded)) FailAt(error::kNameRedefined, name);
    if (Accept(Tok::LParen)) {
      Expect(Tok::RParen, error::kExpectedRParen);
      p.is_array = true;
    }
    DeclareLocal(folded);
    proc.params.push_back(std::move(p));
  } while (Accept(Tok::Comma));
  Expect(Tok::RParen, error::kExpectedRParen);
}

// Binds every name used in the body: declared locals to their slots, anything else gets a
// fallback slot that an undeclared variable uses when the name means nothing else.
void ParserImpl::FinishProc(ProcDecl& proc) {
  std::unordered_map<std::string, int> fallbacks;
  for (NameExpr* n : proc_names_) {
    auto it = locals_.find(n->folded);
    if (it != locals_.end() && !(it->second == 0 && n->has_parens)) {
      n->bind = Bind::Local;
      n->index = it->second;
      continue;
    }
    auto [fb, inserted] = fallbacks.emplace(n->folded, proc.slot_count);
    if (inserted) {
      ++proc.slot_count;
      proc.slot_names.push_back(std::string());  // not visible by name until bound
    }
    n->fallback = fb->second;
  }
}

// Proc -> [Public | Private] [Default] (Sub | Function) Name [ '(' Params ')' ] NL Block
//         End (Sub | Function)
//       | [Public | Private] [Default] Property (Get | Let | Set) Name [ '(' Params ')' ] NL
//         Block End Property
std::unique_ptr<ProcDecl> ParserImpl::ParseProc(bool is_public, bool is_default,
                                                const ClassDecl* owner) {
  const Token& kw = Next();
  auto proc = std::make_unique<ProcDecl>();
  proc->line = kw.line;
  proc->column = kw.column;
  proc->is_public = is_public;
  proc->is_default = is_default;
  proc->owner = owner;
  Tok closing = kw.kind;  // Identifier for Property
  const char* opener = "Sub";
  if (kw.kind == Tok::Function) {
    proc->kind = ProcKind::Function;
    opener = "Function";
  } else if (kw.kind == Tok::Identifier) {
    opener = "Property";
    if (!owner) FailAt(error::kExpectedClass, kw);
    if (AtWord("get"))
      proc->kind = ProcKind::PropertyGet;
    else if (At(Tok::Let))
      proc->kind = ProcKind::PropertyLet;
    else if (At(Tok::Set))
      proc->kind = ProcKind::PropertySet;
    else
      Fail(1049);
    Next();
  }
  proc->name = ExpectName();
  proc->folded = FoldName(proc->name);
  proc_ = proc.get();
  locals_.clear();
  proc_names_.clear();
  proc->slot_names.push_back(proc->folded);
  if (proc->kind == ProcKind::Function || proc->kind == ProcKind::PropertyGet)
    locals_.emplace(proc->folded, 0);
  ParseParams(*proc);
  ExpectStatementEnd();
  int outer_blocks = block_depth_;
  block_depth_ = 0;
  proc->body = ParseBlock(BlockEnd::End, error::kExpectedEnd, opener, kw.line);
  block_depth_ = outer_blocks;
  Next();  // End
  if (closing == Tok::Identifier ? !AtWord("property") : !At(closing))
    Fail(closing == Tok::Function ? error::kExpectedFunction
         : closing == Tok::Sub    ? error::kExpectedSub
                                  : error::kExpectedProperty);
  Next();
  FinishProc(*proc);
  proc_ = nullptr;
  locals_.clear();
  proc_names_.clear();
  return proc;
}

// Fields -> (Public | Private | Dim) Name [ '(' Bounds ')' ] { ',' … }
void ParserImpl::ParseFields(ClassDecl& cls, bool is_public) {
  do {
    FieldDecl f;
    f.name = ExpectName();
    f.folded = FoldName(f.name);
    f.is_public = is_public;
    if (Accept(Tok::LParen)) {
      f.is_array = true;
      if (!At(Tok::RParen)) {
        do f.bounds.push_back(ParseExpr());
        while (Accept(Tok::Comma));
      }
      Expect(Tok::RParen, error::kExpectedRParen);
    }
    for (const FieldDecl& other : cls.fields)
      if (other.folded == f.folded) Fail(error::kNameRedefined);
    cls.fields.push_back(std::move(f));
  } while (Accept(Tok::Comma));
}

// Class -> Class Name NL { Member NL } End Class
// Member -> [Public | Private] [Default] Proc | (Public | Private | Dim) Fields
std::unique_ptr<ClassDecl> ParserImpl::ParseClass() {
  const Token& kw = Next();
  if (proc_) FailAt(error::kSyntax, kw);
  auto cls = std::make_unique<ClassDecl>();
  cls->line = kw.line;
  cls->name = ExpectName();
  cls->folded = FoldName(cls->name);
  ExpectStatementEnd();
  bool has_default = false;
  for (;;) {
    SkipSeparators();
    if (At(Tok::End)) break;
    if (At(Tok::EndOfText)) FailUnclosed(error::kExpectedEnd, "Class", kw.line);
    bool is_public = true;
    bool scoped = false;
    if (At(Tok::Public) || At(Tok::Private)) {
      is_public = At(Tok::Public);
      scoped = true;
      Next();
    }
    bool is_default = false;
    // `Default` before a name or procedure is the modifier; alone it names a field.
    if (AtWord("default") && (AtProcStart(1) || Peek(1).kind == Tok::Identifier)) {
      if (!is_public) Fail(1057);
      is_default = true;
      Next();
    }
    if (AtProcStart()) {
      auto proc = ParseProc(is_public, is_default, cls.get());
      if (is_default) {
        if (has_default) FailAt(error::kMultipleDefaults, kw);
        has_default = true;
      }
      if ((proc->folded == "class_initialize" || proc->folded == "class_terminate") &&
          !proc->params.empty())
        FailAt(1053, kw);
      cls->procs.push_back(std::move(proc));
    } else if (is_default) {
      Fail(1056);
    } else if (At(Tok::Dim)) {
      if (scoped) Fail(error::kSyntax);
      Next();
      ParseFields(*cls, true);
    } else if (scoped) {
      ParseFields(*cls, is_public);
    } else {
      Fail(error::kSyntax);
    }
    if (!At(Tok::End)) ExpectStatementEnd();
  }
  Next();  // End
  Expect(Tok::Class, error::kExpectedClass);
  return cls;
}

}  // namespace vks::vbscript
