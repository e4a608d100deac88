#include "dialog_template.h"

#include <stdexcept>

#include "utf8.h"

namespace user {
namespace {

// Reads the next token: a quoted UTF-8 text or a bare word.
bool Token(std::string_view line, std::size_t* pos, std::string* out, bool* quoted) {
  std::size_t i = *pos;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  if (i >= line.size() || line[i] == '#') return false;
  out->clear();
  *quoted = false;
  if (line[i] == '"') {
    *quoted = true;
    ++i;
    while (i < line.size() && line[i] != '"') *out += line[i++];
    if (i >= line.size()) return false;  // unterminated
    ++i;
  } else {
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') *out += line[i++];
  }
  *pos = i;
  return true;
}

bool ParseLine(std::string_view line, DialogTemplate* t, bool* have_size) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::vector<std::string> tok;
  std::vector<bool> quoted;
  std::size_t pos = 0;
  std::string s;
  bool q = false;
  while (Token(line, &pos, &s, &q)) {
    tok.push_back(s);
    quoted.push_back(q);
  }
  if (tok.empty()) return true;
  const std::string& kw = tok[0];
  long long a = 0, b = 0, c = 0, d = 0, e = 0, f = 0;
  if (kw == "STYLE" && tok.size() == 2 && ParseTemplateNumber(tok[1], &a)) {
    t->style = static_cast<DWORD>(a);
  } else if (kw == "EXSTYLE" && tok.size() == 2 && ParseTemplateNumber(tok[1], &a)) {
    t->exstyle = static_cast<DWORD>(a);
  } else if (kw == "SIZE" && tok.size() == 3 && ParseTemplateNumber(tok[1], &a) &&
             ParseTemplateNumber(tok[2], &b)) {
    if (a < 0 || b < 0 || a > 10000 || b > 10000) return false;
    t->cx = static_cast<int>(a);
    t->cy = static_cast<int>(b);
    *have_size = true;
  } else if (kw == "CAPTION" && tok.size() == 2 && quoted[1]) {
    t->caption = base::FromUtf8(tok[1]);
  } else if (kw == "FONT" && tok.size() == 4 && ParseTemplateNumber(tok[1], &a) &&
             ParseTemplateNumber(tok[2], &b) && quoted[3]) {
    if (a <= 0 || a > 200) return false;
    t->has_font = true;
    t->points = static_cast<int>(a);
    t->weight = static_cast<int>(b);
    t->face = base::FromUtf8(tok[3]);
  } else if (kw == "CONTROL" && tok.size() == 9 && ParseTemplateNumber(tok[1], &a) && quoted[2] &&
             ParseTemplateNumber(tok[3], &b) && ParseTemplateNumber(tok[4], &c) &&
             ParseTemplateNumber(tok[5], &d) && ParseTemplateNumber(tok[6], &e) &&
             ParseTemplateNumber(tok[7], &f) && quoted[8]) {
    // Compared as they are: the magnitude of the smallest 64-bit number does not fit one.
    if (c < -10000 || c > 10000 || d < -10000 || d > 10000 || e < 0 || f < 0 || e > 10000 ||
        f > 10000)
      return false;
    ControlTemplate ct;
    ct.id = static_cast<int>(a);
    ct.cls = base::FromUtf8(tok[2]);
    ct.style = static_cast<DWORD>(b);
    ct.x = static_cast<int>(c);
    ct.y = static_cast<int>(d);
    ct.cx = static_cast<int>(e);
    ct.cy = static_cast<int>(f);
    ct.text = base::FromUtf8(tok[8]);
    t->controls.push_back(ct);
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool ParseTemplateNumber(const std::string& s, long long* v) {
  if (s.empty()) return false;
  try {
    std::size_t used = 0;
    *v = std::stoll(s, &used, 0);
    return used == s.size();
  } catch (...) {
    return false;
  }
}

std::optional<DialogTemplate> ParseDialogTemplate(std::string_view text) {
  DialogTemplate t;
  bool have_size = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    if (!ParseLine(text.substr(pos, end - pos), &t, &have_size)) return std::nullopt;
    pos = end + 1;
  }
  if (!have_size) return std::nullopt;
  return t;
}

}  // namespace user
