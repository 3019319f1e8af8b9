#!/usr/bin/env python3
"""Quick check of kxSample.sql, the script of the sample account book.

Runs the script statement by statement into an in-memory SQLite database (Jet
column types mapped to SQLite ones) and checks that the script keeps to the
statement forms the book builder accepts and that the sample data hold what the
wizard and its tests rely on. Prints every failed check; exit status 0 when all
pass, 1 otherwise.

    python3 data/sample/check_sample_sql.py [path/to/kxSample.sql]
"""

import datetime
import re
import sqlite3
import sys
from decimal import Decimal, InvalidOperation
from pathlib import Path

EXPECTED_TABLES = [
    "kxOperator", "kxOpRight", "kxBookInfo", "kxSystem", "kxAccPeriod",
    "kxAccClass", "kxAccInitial", "kxFrmFormat", "kxAccFormat", "kxAssistItem",
    "kxBranch", "kxCashFlow", "kxExplain", "kxTrans", "kxTransSetting",
    "kxStatement", "kxAccReport", "kxDocDir", "kxDocRecs", "kxBranchInit",
    "kxItemInit", "kxFlowInit", "kxJournal", "kxJournalRecs", "kxLog",
    "kxAccData", "kxWages", "kxWagesRecs", "kxStaff", "kxFaCard", "kxFaClass",
    "kxFaDeprec",
]
VIEW_NAME = "kxVBalance"

# Jet type name -> SQLite column type.
SQLITE_TYPE = {
    "COUNTER": "INTEGER", "LONG": "INTEGER", "SHORT": "INTEGER", "BYTE": "INTEGER",
    "BIT": "INTEGER", "SINGLE": "REAL", "DOUBLE": "REAL", "CURRENCY": "NUMERIC",
    "DATETIME": "TEXT", "TEXT": "TEXT", "MEMO": "TEXT", "LONGBINARY": "BLOB",
    "GUID": "TEXT", "DECIMAL": "NUMERIC",
}
INTEGER_RANGE = {"LONG": (-2**31, 2**31 - 1), "COUNTER": (1, 2**31 - 1),
                 "SHORT": (-2**15, 2**15 - 1), "BYTE": (0, 255), "BIT": (0, 1)}
FORBIDDEN_WORDS = {"AUTOINCREMENT", "DEFAULT", "INDEX", "UNIQUE", "REFERENCES",
                   "FOREIGN", "CHECK", "IDENTITY", "NOT", "COLLATE"}
GUID_RE = re.compile(r"^\{[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12}\}$")
CENT = Decimal("0.01")

failures = []


def fail(message):
    failures.append(message)


class ScriptError(Exception):
    pass


# ---------------------------------------------------------------------------
# Reading the script


def split_statements(text):
    """Statements as (first line number, text). A statement ends at the first
    line whose last character is ";"; "--" lines between statements are skipped."""
    statements = []
    current, start = [], 0
    for number, line in enumerate(text.split("\n"), 1):
        if not current:
            if not line.strip() or line.startswith("--"):
                continue
            start = number
        current.append(line)
        if line.endswith(";"):
            statements.append((start, "\n".join(current)))
            current = []
    if current:
        raise ScriptError(f"line {start}: statement without a closing ';'")
    return statements


TOKEN_RE = re.compile(r"""
      (?P<blob>[Xx]'(?P<hex>[^']*)')
    | (?P<text>'(?:[^']|'')*')
    | (?P<open_text>')
    | (?P<ident>\[[^\]]*\])
    | (?P<number>\d+(?:\.\d+)?(?:[Ee][+-]?\d+)?)
    | (?P<word>[A-Za-z_][A-Za-z_0-9]*)
    | (?P<space>\s+)
    | (?P<punct>[(),;=<>*+\-.])
""", re.VERBOSE)


def tokenize(statement):
    tokens = []
    pos = 0
    while pos < len(statement):
        match = TOKEN_RE.match(statement, pos)
        if not match or match.lastgroup == "open_text":
            raise ScriptError(f"cannot read the statement at {statement[pos:pos + 40]!r}")
        kind = match.lastgroup
        if kind == "hex":
            kind = "blob"
        value = match.group(0)
        if kind == "blob":
            digits = match.group("hex")
            if len(digits) % 2 or not re.fullmatch(r"[0-9A-Fa-f]*", digits):
                raise ScriptError(f"bad binary literal {value[:40]!r}")
            value = bytes.fromhex(digits)
        elif kind == "text":
            value = value[1:-1].replace("''", "'")
        elif kind == "ident":
            value = value[1:-1]
        if kind != "space":
            tokens.append((kind, value))
        pos = match.end()
    return tokens


def split_top_level(tokens):
    """Splits a token list at the commas that are not inside parentheses."""
    parts, current, depth = [], [], 0
    for token in tokens:
        if token == ("punct", "("):
            depth += 1
        elif token == ("punct", ")"):
            depth -= 1
        if token == ("punct", ",") and depth == 0:
            parts.append(current)
            current = []
        else:
            current.append(token)
    parts.append(current)
    return parts


def words(tokens):
    return [value.upper() for kind, value in tokens if kind == "word"]


def parse_create_table(tokens):
    """(table name, [(column, jet type, width or None)], primary key columns)."""
    if words(tokens[:2]) != ["CREATE", "TABLE"] or tokens[3] != ("punct", "(") or tokens[-2:] != [("punct", ")"), ("punct", ";")]:
        raise ScriptError("expected CREATE TABLE name ( ... );")
    name = tokens[2][1]
    columns, primary = [], []
    for part in split_top_level(tokens[4:-2]):
        if not part:
            raise ScriptError(f"{name}: empty column definition")
        if part[0][0] == "word" and part[0][1].upper() == "CONSTRAINT":
            if words(part[2:4]) != ["PRIMARY", "KEY"]:
                raise ScriptError(f"{name}: only PRIMARY KEY constraints are allowed")
            primary.extend(value for kind, value in part[4:] if kind in ("ident", "word"))
            continue
        column = part[0][1]
        type_name = part[1][1].upper() if len(part) > 1 and part[1][0] == "word" else ""
        if type_name not in SQLITE_TYPE:
            raise ScriptError(f"{name}.{column}: type {type_name or '?'} is not a Jet type of the allowed list")
        rest = part[2:]
        width = None
        if type_name == "TEXT":
            if len(rest) < 3 or rest[0] != ("punct", "(") or rest[1][0] != "number" or rest[2] != ("punct", ")"):
                raise ScriptError(f"{name}.{column}: TEXT needs a width, TEXT(n)")
            width = int(rest[1][1])
            if not 1 <= width <= 255:
                raise ScriptError(f"{name}.{column}: TEXT({width}) is outside 1..255")
            rest = rest[3:]
        if words(rest) == ["PRIMARY", "KEY"] and len(rest) == 2:
            primary.append(column)
        elif rest:
            raise ScriptError(f"{name}.{column}: unexpected {' '.join(str(v) for _, v in rest)}")
        columns.append((column, type_name, width))
    names = [c[0].lower() for c in columns]
    if len(set(names)) != len(names):
        raise ScriptError(f"{name}: a column name repeats")
    if sum(1 for c in columns if c[1] == "COUNTER") > 1:
        raise ScriptError(f"{name}: more than one COUNTER column")
    if any(p.lower() not in names for p in primary):
        raise ScriptError(f"{name}: primary key names an unknown column")
    return name, columns, primary


def sqlite_create(name, columns, primary):
    defs = []
    for column, type_name, _ in columns:
        key = " PRIMARY KEY" if primary == [column] else ""
        defs.append(f"[{column}] {SQLITE_TYPE[type_name]}{key}")
    if len(primary) > 1:
        defs.append("PRIMARY KEY (" + ", ".join(f"[{p}]" for p in primary) + ")")
    return f"CREATE TABLE {name} (" + ", ".join(defs) + ")"


def parse_insert(tokens):
    """(table, [column], [literal token]) of INSERT INTO t (cols) VALUES (values);"""
    if words(tokens[:2]) != ["INSERT", "INTO"] or tokens[3] != ("punct", "("):
        raise ScriptError("expected INSERT INTO name (columns) VALUES (...);")
    table = tokens[2][1]
    close = tokens.index(("punct", ")"), 4)
    columns = [value for part in split_top_level(tokens[4:close]) for kind, value in part if kind in ("ident", "word")]
    rest = tokens[close + 1:]
    if words(rest[:1]) != ["VALUES"] or rest[1] != ("punct", "(") or rest[-2:] != [("punct", ")"), ("punct", ";")]:
        raise ScriptError(f"{table}: expected VALUES ( ... ); after the column list")
    values = []
    for part in split_top_level(rest[2:-2]):
        if len(part) == 2 and part[0] == ("punct", "-") and part[1][0] == "number":
            values.append(("number", "-" + part[1][1]))
        elif len(part) == 1 and part[0][0] in ("number", "text", "blob"):
            values.append(part[0])
        elif len(part) == 1 and part[0] == ("word", "NULL"):
            values.append(("null", None))
        else:
            raise ScriptError(f"{table}: a value is not a plain literal: {part!r}")
    if len(values) != len(columns):
        raise ScriptError(f"{table}: {len(columns)} columns but {len(values)} values")
    return table, columns, values


def literal_problem(type_name, width, kind, value):
    """Why the literal cannot be stored in a column of this Jet type, or None."""
    if kind == "null":
        return None
    if type_name in ("TEXT", "MEMO"):
        if kind != "text":
            return "needs a text literal"
        if width is not None and len(value) > width:
            return f"{len(value)} characters exceed TEXT({width})"
        return None
    if type_name == "DATETIME":
        try:
            datetime.datetime.strptime(value, "%Y-%m-%d %H:%M:%S") if kind == "text" else None
        except ValueError:
            return f"{value!r} is not a 'yyyy-mm-dd hh:nn:ss' date"
        return None if kind == "text" else "needs a date text"
    if type_name == "GUID":
        return None if kind == "text" and GUID_RE.match(value) else "needs a '{...}' GUID text"
    if type_name == "LONGBINARY":
        return None if kind == "blob" else "needs a X'..' literal"
    if kind != "number":
        return "needs a number"
    if type_name in INTEGER_RANGE:
        low, high = INTEGER_RANGE[type_name]
        if not re.fullmatch(r"-?\d+", value) or not low <= int(value) <= high:
            return f"{value} is not a whole number in {low}..{high}"
        return None
    number = Decimal(value)
    if type_name == "CURRENCY" and number.as_tuple().exponent < -4:
        return f"{value} has more than four decimals"
    if type_name == "SINGLE" and abs(number) > Decimal("3.4e38"):
        return f"{value} is out of single range"
    return None


def load(script_path):
    raw = script_path.read_bytes()
    if raw.startswith(b"\xef\xbb\xbf"):
        raise ScriptError("the script starts with a byte order mark")
    if b"\r" in raw:
        raise ScriptError("the script holds carriage returns")
    text = raw.decode("utf-8")
    db = sqlite3.connect(":memory:")
    db.create_function("Len", 1, lambda v: None if v is None else len(str(v)), deterministic=True)
    schema = {}
    seen_view = seen_insert = False
    for line, statement in split_statements(text):
        try:
            tokens = tokenize(statement)
            head = words(tokens[:2])
            bare = {value.upper() for kind, value in tokens if kind == "word"}
            if bare & FORBIDDEN_WORDS:
                raise ScriptError("uses " + ", ".join(sorted(bare & FORBIDDEN_WORDS)))
            if head == ["CREATE", "TABLE"]:
                if seen_view or seen_insert:
                    raise ScriptError("CREATE TABLE after the view or the rows")
                name, columns, primary = parse_create_table(tokens)
                if name.lower() in (n.lower() for n in schema):
                    raise ScriptError(f"table {name} is created twice")
                schema[name] = {c[0]: (c[1], c[2]) for c in columns}
                db.execute(sqlite_create(name, columns, primary))
            elif head == ["CREATE", "VIEW"]:
                if seen_view or seen_insert:
                    raise ScriptError("a second view, or the view after the rows")
                if tokens[2][1] != VIEW_NAME or words(tokens[3:5]) != ["AS", "SELECT"]:
                    raise ScriptError(f"the one view must read CREATE VIEW {VIEW_NAME} AS SELECT ...")
                if ("word", "kxAccClass") not in tokens:
                    raise ScriptError("the view does not read the accounts table kxAccClass")
                seen_view = True
                db.execute(statement[:-1])
            elif head == ["INSERT", "INTO"]:
                seen_insert = True
                table, columns, values = parse_insert(tokens)
                if table not in schema:
                    raise ScriptError(f"rows for unknown table {table}")
                for column, (kind, value) in zip(columns, values):
                    if column not in schema[table]:
                        raise ScriptError(f"{table} has no column {column}")
                    problem = literal_problem(*schema[table][column], kind, value)
                    if problem:
                        raise ScriptError(f"{table}.{column}: {problem}")
                db.execute(statement[:-1])
            else:
                raise ScriptError("only CREATE TABLE, CREATE VIEW and INSERT INTO statements are allowed")
        except (ScriptError, sqlite3.Error, InvalidOperation) as error:
            raise ScriptError(f"statement at line {line}: {error}") from error
    if not seen_view:
        raise ScriptError(f"the view {VIEW_NAME} is missing")
    return db, schema


# ---------------------------------------------------------------------------
# Facts of the sample data


def money(value):
    return Decimal(str(value if value is not None else 0)).quantize(CENT)


def check_tables(db):
    present = {name for (name,) in db.execute("SELECT name FROM sqlite_master WHERE type = 'table'")}
    for name in EXPECTED_TABLES:
        if name not in present:
            fail(f"table {name} is missing")
    for name in sorted(present):
        count = db.execute(f"SELECT COUNT(*) FROM {name}").fetchone()[0]
        if count < 2:
            fail(f"table {name} has {count} rows, fewer than 2")
    kinds = dict(db.execute("SELECT name, type FROM sqlite_master WHERE type IN ('table', 'view')"))
    if kinds.get(VIEW_NAME) != "view":
        fail(f"{VIEW_NAME} is not a view")
    elif db.execute(f"SELECT COUNT(*) FROM {VIEW_NAME}").fetchone()[0] == 0:
        fail(f"the view {VIEW_NAME} shows no rows")


def check_operators(db):
    operators = {row[0]: row[1:] for row in db.execute("SELECT opID, opName, OpPwd FROM kxOperator")}
    if operators.get(1) != ("主管", "8888"):
        fail(f"operator 1 should be 主管 with password 8888, found {operators.get(1)}")
    if operators.get(2) != ("出纳", "6666"):
        fail(f"operator 2 should be 出纳 with password 6666, found {operators.get(2)}")
    names = [name for name, _ in operators.values()]
    if len(names) != len(set(names)):
        fail("two operators share a name")

    def rights(name):
        return {code for (code,) in db.execute(
            "SELECT r.RightCode FROM kxOpRight r JOIN kxOperator o ON o.opID = r.opID WHERE o.opName = ?", (name,))}
    supervisor, cashier = rights("主管"), rights("出纳")
    for code in ("VCH_LOOK", "VCH_EDIT", "ACC_SET"):
        if code not in supervisor:
            fail(f"主管 lacks the right {code}")
    if "VCH_LOOK" in cashier:
        fail("出纳 must not hold VCH_LOOK")
    if not cashier:
        fail("出纳 holds no rights at all")
    orphans = db.execute("SELECT COUNT(*) FROM kxOpRight WHERE opID NOT IN (SELECT opID FROM kxOperator)").fetchone()[0]
    if orphans:
        fail(f"{orphans} rights belong to no operator")


def check_book_info(db):
    row = db.execute("SELECT InfoValue FROM kxBookInfo WHERE InfoName = 'BookInfo'").fetchone()
    if not row:
        fail("kxBookInfo has no 'BookInfo' row")
        return
    items = row[0].split("|")
    if len(items) != 15:
        fail(f"the book information has {len(items)} items, not 15")
        return
    expected = {5: "样本账簿", 6: "××××有限公司"}
    for number, value in expected.items():
        if items[number - 1] != value:
            fail(f"book information item {number} is {items[number - 1]!r}, not {value!r}")
    if not re.fullmatch(r"\d{4}年\d{2}月", items[14]):
        fail(f"book information item 15 {items[14]!r} is not a yyyy年MM月 period")


def check_accounts(db):
    rows = db.execute("SELECT AccCode, AccName, AccLevel, ParentCode, AccDir, AccType, IsDetail FROM kxAccClass").fetchall()
    accounts = {r[0]: r for r in rows}
    if len(accounts) < 60:
        fail(f"the chart holds {len(accounts)} accounts, fewer than 60")
    required = {"1001": "库存现金", "1002": "银行存款", "1012": "其他货币资金", "1122": "应收账款", "1123": "预付账款",
                "1221": "其他应收款", "1403": "原材料", "1405": "库存商品", "1601": "固定资产", "1602": "累计折旧",
                "2001": "短期借款", "2202": "应付账款", "2211": "应付职工薪酬", "2221": "应交税费",
                "222101": "应交增值税", "22210101": "进项税额", "22210102": "销项税额", "4001": "实收资本",
                "4103": "本年利润", "4104": "利润分配", "5001": "生产成本", "6001": "主营业务收入",
                "6401": "主营业务成本", "6601": "销售费用", "6602": "管理费用", "6603": "财务费用", "6801": "所得税费用"}
    for code, name in required.items():
        if code not in accounts or accounts[code][1] != name:
            fail(f"account {code} {name} is missing or misnamed")
    if not any(code.startswith("6602") and len(code) > 4 for code in accounts):
        fail("管理费用 6602 has no sub-accounts")
    classes = {"1": "资产", "2": "负债", "3": "共同", "4": "所有者权益", "5": "成本", "6": "损益"}
    for code, (_, name, level, parent, direction, kind, detail) in accounts.items():
        expected_level = {4: 1, 6: 2, 8: 3, 10: 4}.get(len(code))
        if expected_level is None or level != expected_level:
            fail(f"account {code}: level {level} does not fit the 4-2-2-2 code structure")
            continue
        expected_parent = code[:-2] if expected_level > 1 else None
        if parent != expected_parent or (parent is not None and parent not in accounts):
            fail(f"account {code}: parent {parent!r} should be {expected_parent!r}")
        if direction not in ("借", "贷"):
            fail(f"account {code}: direction {direction!r} is neither 借 nor 贷")
        if kind != classes.get(code[0]):
            fail(f"account {code}: class {kind!r} should be {classes.get(code[0])!r}")
        has_children = any(c != code and c.startswith(code) for c in accounts)
        if bool(detail) == has_children:
            fail(f"account {code}: detail flag {detail} contradicts its sub-accounts")
    return accounts


def check_opening(db, accounts):
    rows = db.execute("SELECT AccCode, InitBalance FROM kxAccInitial").fetchall()
    totals = {"借": Decimal(0), "贷": Decimal(0)}
    opening = {}
    for code, balance in rows:
        if code not in accounts:
            fail(f"opening balance for unknown account {code}")
            continue
        opening[code] = money(balance)
        totals[accounts[code][4]] += opening[code]
    if totals["借"] != totals["贷"]:
        fail(f"opening balances do not balance: 借 {totals['借']} against 贷 {totals['贷']}")
    for table, key in (("kxItemInit", "ItemCode"), ("kxBranchInit", "BranchCode")):
        sums = {}
        for code, balance in db.execute(f"SELECT AccCode, InitBalance FROM {table}"):
            sums[code] = sums.get(code, Decimal(0)) + money(balance)
        for code, total in sums.items():
            if opening.get(code) != total:
                fail(f"{table} for {code} adds up to {total}, the account opens with {opening.get(code)}")


def check_statement(db):
    count = lambda where: db.execute(f"SELECT COUNT(*) FROM kxStatement WHERE {where}").fetchone()[0]
    short, long_, null = count("Len(AssistCode) <= 4"), count("Len(AssistCode) > 4"), count("AssistCode IS NULL")
    if not short:
        fail("kxStatement has no row whose AssistCode has at most 4 characters")
    if not long_:
        fail("kxStatement has no row whose AssistCode is longer than 4 characters")
    if not null:
        fail("kxStatement has no row without AssistCode")
    if not count("Len(AssistCode) = 4 AND length(CAST(AssistCode AS BLOB)) > 4"):
        fail("kxStatement has no 4-character AssistCode of more than 4 bytes")
    db.execute("SAVEPOINT clearing")
    db.execute("Delete From kxStatement Where Len(AssistCode)>4")
    remaining = db.execute("SELECT COUNT(*) FROM kxStatement").fetchone()[0]
    db.execute("ROLLBACK TO clearing")
    db.execute("RELEASE clearing")
    if remaining != short + null:
        fail(f"clearing the template's reports leaves {remaining} rows, expected {short + null}")


def check_report(db):
    longest = db.execute("SELECT MAX(Len(ReportDef)) FROM kxAccReport").fetchone()[0] or 0
    if longest <= 4000:
        fail(f"the longest report definition has {longest} characters, not more than 4000")
    images = [row[0] for row in db.execute("SELECT ReportLogo FROM kxAccReport")]
    if not any(isinstance(i, bytes) and i.startswith(b"\x89PNG\r\n\x1a\n") for i in images):
        fail("no report carries a PNG image")
    if None not in images:
        fail("no report is without an image")


def check_vouchers(db, accounts):
    headers = {row[0] for row in db.execute("SELECT DocID FROM kxDocDir")}
    lines = {}
    for doc, code, debit, credit in db.execute("SELECT DocID, AccCode, Debit, Credit FROM kxDocRecs"):
        debit, credit = money(debit), money(credit)
        if doc not in headers:
            fail(f"voucher line of unknown voucher {doc}")
        if code not in accounts or not accounts[code][6]:
            fail(f"voucher {doc}: {code} is not a detail account")
        if (debit != 0) == (credit != 0):
            fail(f"voucher {doc}: a line on {code} must carry exactly one of debit and credit")
        lines.setdefault(doc, []).append((debit, credit))
    if len(headers) < 12:
        fail(f"only {len(headers)} vouchers")
    for doc in sorted(headers):
        entries = lines.get(doc, [])
        debit = sum((d for d, _ in entries), Decimal(0))
        credit = sum((c for _, c in entries), Decimal(0))
        if len(entries) < 2:
            fail(f"voucher {doc} has {len(entries)} lines")
        if debit != credit:
            fail(f"voucher {doc} does not balance: debit {debit}, credit {credit}")


def check_texts(db, schema):
    outside_bmp = quote = False
    for table, columns in schema.items():
        for column, (type_name, _) in columns.items():
            if type_name not in ("TEXT", "MEMO"):
                continue
            for (value,) in db.execute(f"SELECT [{column}] FROM {table} WHERE [{column}] IS NOT NULL"):
                outside_bmp = outside_bmp or any(ord(ch) > 0xFFFF for ch in value)
                quote = quote or (table == "kxAssistItem" and "'" in value)
    if not outside_bmp:
        fail("no text value holds a character outside the basic plane")
    if not quote:
        fail("no company name holds a single quote")


def main():
    script = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name("kxSample.sql")
    try:
        db, schema = load(script)
    except (ScriptError, UnicodeDecodeError, OSError) as error:
        print(f"{script}: {error}")
        return 1
    check_tables(db)
    check_operators(db)
    check_book_info(db)
    accounts = check_accounts(db)
    check_opening(db, accounts)
    check_statement(db)
    check_report(db)
    check_vouchers(db, accounts)
    check_texts(db, schema)
    for message in failures:
        print(f"{script}: {message}")
    if not failures:
        tables = len(schema)
        rows = sum(db.execute(f"SELECT COUNT(*) FROM {t}").fetchone()[0] for t in schema)
        print(f"{script}: ok ({tables} tables, {rows} rows)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
