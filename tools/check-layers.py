#!/usr/bin/env python3
"""Checks the layering of src/: each folder includes only folders below it, folders include
each other in no cycle, core files never reach Win32, and .win32 files do. Also that no file is
longer than 400 lines, and that outside src/app/ no mutable state lives at namespace scope, in a
function static or in a static data member."""
import re
import sys
from pathlib import Path

# Bottom to top. A folder may include itself and the folders before it.
LAYERS = ["base", "ui", "engine", "config", "about", "setup", "saver", "app"]
# The folders that are portable in whole (no .win32 file at all).
PORTABLE = {"base"}
# State that lives once per process is owned by the entry routine, never reached globally.
ACCESSORS = re.compile(r"\b(Run|Random|Animation|Graphics|InputWatch|Settings)\(\)|FormInstance<")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
WIN32_HEADERS = {"windows.h", "windowsx.h", "commdlg.h", "shellapi.h"}

# Mutable state outside the entry routine. Each job gets its state handed to it; the one
# exception is the pointer a low-level hook procedure needs, as it has no window to reach.
ALLOWED_STATE = {"g_lowLevelHookOwner"}
MAX_LINES = 400
TOKEN = re.compile(r"[A-Za-z_]\w*|\d[\w.']*|::|->|&&|\|\||[<>=!]=|\S")


def strip_code(text):
    """The text with comments, string and character literals and preprocessor lines blanked
    (newlines kept, so line numbers stay)."""
    out, i, n = [], 0, len(text)

    def blank(s):
        return "".join(c if c == "\n" else " " for c in s)

    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            out.append(blank(text[i:j]))
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(blank(text[i:j]))
            i = j
        elif c == '"' or c == "'":
            # A quote after a digit run is a digit separator, not a literal.
            k = i
            while k > 0 and (text[k - 1].isalnum() or text[k - 1] == "_"):
                k -= 1
            word = text[k:i]
            if c == "'" and word[:1].isdigit():
                out.append(c)
                i += 1
                continue
            if c == '"' and word.endswith("R"):
                m = re.match(r'"([^(\s]*)\(', text[i:])
                if m:
                    end = text.find(")" + m.group(1) + '"', i)
                    j = n if end < 0 else end + len(m.group(1)) + 2
                    out.append(blank(text[i:j]))
                    i = j
                    continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            j = min(j + 1, n)
            out.append(blank(text[i:j]))
            i = j
        else:
            out.append(c)
            i += 1
    lines = "".join(out).split("\n")
    continued = False
    for k, line in enumerate(lines):
        if continued or line.lstrip().startswith("#"):
            continued = line.rstrip().endswith("\\")
            lines[k] = ""
    return "\n".join(lines)


def without_templates(tokens):
    """Tokens outside angle brackets (a declaration's template arguments)."""
    out, depth = [], 0
    for t in tokens:
        if t == "<":
            depth += 1
        elif t == ">" and depth:
            depth -= 1
        elif not depth:
            out.append(t)
    return out


def split_top(tokens):
    """The tokens before the first '=' outside parentheses and brackets, and whether one came."""
    depth = 0
    for k, t in enumerate(tokens):
        if t in "([":
            depth += 1
        elif t in ")]":
            depth -= 1
        elif t == "=" and depth == 0:
            return tokens[:k], True
    return tokens, False


def variable(tokens):
    """For a declaration's tokens: None when it declares no object, else (name, mutable,
    pointer)."""
    head, _ = split_top(tokens)
    head = without_templates(head)
    if not head or head[0] in ("using", "typedef", "template", "friend", "static_assert",
                               "namespace", "extern", "class", "struct", "union", "enum",
                               "concept", "return"):
        return None
    if "operator" in head:
        return None
    words = head
    for k, t in enumerate(head):
        if t == "(" and (k == 0 or head[k - 1] not in ("decltype", "alignas", "__attribute__")):
            if k + 1 < len(head) and head[k + 1] in ("*", "&"):  # a pointer to a function
                words = head[k + 1:]
                break
            return None  # a function
    names = [t for t in words if re.match(r"[A-Za-z_]", t) and t not in KEYWORDS]
    name = names[-1] if names else "?"
    if "constexpr" in words:
        return name, False, False
    ops = [k for k, t in enumerate(words) if t in ("*", "&", "&&")]
    if ops:
        last = ops[-1]
        if words[last] == "*":
            return name, "const" not in words[last + 1:], True
        before = words[ops[-2] + 1 if len(ops) > 1 else 0:last]
        return name, "const" not in before, False
    return name, "const" not in words, False


KEYWORDS = {"static", "inline", "const", "constexpr", "constinit", "thread_local", "volatile",
            "mutable", "unsigned", "signed", "long", "short", "int", "char", "bool", "float",
            "double", "void", "auto", "wchar_t", "struct", "class", "typename", "register"}


def find_state(text):
    """(line, name, where) for every mutable object at namespace scope, in a function static
    or as a static data member."""
    code = strip_code(text)
    tokens = [(m.group(), code.count("\n", 0, m.start()) + 1) for m in TOKEN.finditer(code)]
    found = []
    scopes = ["namespace"]  # namespace, class, enum, code, init
    heads = [[]]  # the statement that opened each scope
    stmt = []  # the statement so far
    type_head = []  # the head of the class or enum that just closed

    def check(kind):
        toks = [t for t, _ in stmt]
        if kind == "code":
            if not toks or toks[0] not in ("static", "thread_local"):
                return
        elif kind == "class":
            rest = [t for t in toks if t != "inline"]
            if not rest or rest[0] not in ("static", "thread_local"):
                return
        v = variable(toks)
        if not v:
            return
        name, mutable, pointer = v
        line = next((ln for t, ln in stmt if t == name), stmt[0][1])
        if scopes[-1] == "namespace" and name in ALLOWED_STATE:
            if not pointer:
                found.append((line, name, "namespace scope (allowed only as a pointer)"))
            return
        if mutable:
            where = {"namespace": "namespace scope", "class": "class scope (static member)",
                     "code": "function scope (static)"}[kind]
            found.append((line, name, where))

    def opening():
        """The kind of scope a '{' opens after the statement so far."""
        toks = without_templates([t for t, _ in stmt if t != "template"])
        if "namespace" in toks or toks == ["extern"]:
            return "namespace"
        assigned = split_top(toks)[1]
        if toks.count("(") > toks.count(")"):
            return "init"  # a default argument or a braced argument
        if "enum" in toks and not assigned:
            return "enum"
        if {"class", "struct", "union"} & set(toks) and not assigned and "(" not in toks:
            return "class"
        if assigned:
            return "init"
        if toks and "(" not in toks and (re.match(r"\w", toks[-1]) or toks[-1] == "]"):
            return "init"
        return "code"

    for k, (tok, line) in enumerate(tokens):
        kind, prev = scopes[-1], tokens[k - 1][0] if k else None
        if kind in ("init", "enum"):
            if tok == "{" and kind == "init" and prev in (")", "]"):
                # A lambda's body in an initializer: code, after which the declaration goes on.
                scopes.append("lambda")
                heads.append(stmt)
                stmt = []
            elif tok == "{":
                scopes.append(kind)
                heads.append([])
            elif tok == "}":
                scopes.pop()
                head = heads.pop()
                if kind == "enum" and scopes[-1] != kind:
                    stmt, type_head = [("}", line)], [t for t, _ in head]
            continue
        if tok == "{":
            if kind in ("code", "lambda"):
                check("code")
                stmt = []
                scopes.append("code")
                heads.append([])
                continue
            new = opening()
            if new == "init" and prev in (")", "]"):
                # A lambda's body in an initializer: code, after which the declaration goes on.
                scopes.append("lambda")
                heads.append(stmt + [("{}", line)])
                stmt = []
                continue
            heads.append(stmt)
            stmt = stmt + [("{}", line)] if new == "init" else []
            scopes.append(new)
        elif tok == "}":
            closed = scopes.pop() if len(scopes) > 1 else "namespace"
            head = heads.pop() if len(heads) > 1 else []
            if closed == "lambda":
                stmt = head
                continue
            stmt, type_head = [], []
            if closed == "class":
                stmt, type_head = [("}", line)], [t for t, _ in head]
        elif tok == ";":
            if stmt and stmt[0][0] == "}":
                # Objects declared with the type: "struct {...} name;".
                rest = [t for t, _ in stmt[1:]]
                names = [t for t in rest if re.match(r"[A-Za-z_]", t) and t not in KEYWORDS]
                fixed = {"const", "constexpr"} & set(rest + type_head)
                if names and not fixed and (kind == "namespace" or "static" in type_head):
                    found.append((stmt[0][1], names[0], "namespace scope"))
            elif kind in ("code", "lambda"):
                check("code")
            else:
                check(kind)
            stmt = []
        elif kind in ("code", "lambda") and tok == ":" and stmt and stmt[0][0] in ("case",
                                                                                 "default"):
            stmt = []
        elif kind in ("namespace", "class") and tok == ":" and [t for t, _ in stmt] in (
                ["public"], ["private"], ["protected"]):
            stmt = []
        else:
            stmt.append((tok, line))
    return found


root = Path(__file__).resolve().parent.parent / "src"
problems = []
deps = {layer: set() for layer in LAYERS}

for path in sorted(root.rglob("*")):
    if path.suffix not in (".h", ".cpp"):
        continue
    rel = path.relative_to(root).as_posix()
    folder = rel.split("/")[0]
    if folder not in LAYERS:
        problems.append(f"{rel}: folder {folder} is not a known layer")
        continue
    text = path.read_text(encoding="utf-8", errors="replace")
    lines = len(text.splitlines())
    if lines > MAX_LINES:
        problems.append(f"src/{rel}: {lines} lines, more than {MAX_LINES}: split it by concept")
    if folder != "app":
        for line_no, name, where in find_state(text):
            problems.append(f"src/{rel}:{line_no}: mutable state {name} at {where}; the entry "
                            "routine owns state and hands it in")
    is_win32 = ".win32." in path.name
    reaches_win32 = False
    for kind, name in INCLUDE.findall(text):
        if kind == "<":
            if name.lower() in WIN32_HEADERS:
                reaches_win32 = True
                if not is_win32:
                    problems.append(f"{rel}: portable file includes <{name}>")
            continue
        target = name.split("/")[0]
        if target not in LAYERS:
            continue
        if ".win32." in name:
            reaches_win32 = True
            if not is_win32:
                problems.append(f"{rel}: portable file includes {name}")
        if target != folder:
            deps[folder].add(target)
            if LAYERS.index(target) > LAYERS.index(folder):
                problems.append(f"{rel}: {folder} includes {name} from the higher layer {target}")
    if is_win32 and not reaches_win32:
        problems.append(f"{rel}: a .win32 file that does not reach Win32 (name it as core)")
    if is_win32 and folder in PORTABLE:
        problems.append(f"{rel}: {folder} holds portable code only")
    for line_no, line in enumerate(text.splitlines(), 1):
        if ACCESSORS.search(line) and not rel.startswith("app/main.win32"):
            problems.append(f"{rel}:{line_no}: process-wide state reached through an accessor")


def find_cycle():
    state = {}

    def visit(node, trail):
        state[node] = "open"
        for nxt in sorted(deps[node]):
            if state.get(nxt) == "open":
                return trail + [node, nxt]
            if nxt not in state:
                found = visit(nxt, trail + [node])
                if found:
                    return found
        state[node] = "done"
        return None

    for node in LAYERS:
        if node not in state:
            found = visit(node, [])
            if found:
                return found
    return None


cycle = find_cycle()
if cycle:
    problems.append("include cycle between folders: " + " -> ".join(cycle))

for p in problems:
    print("check-layers:", p, file=sys.stderr)
if problems:
    sys.exit(1)
print("check-layers: " + " < ".join(LAYERS) + ": no upward include, no cycle, no file over "
      f"{MAX_LINES} lines, no mutable state outside app/")
