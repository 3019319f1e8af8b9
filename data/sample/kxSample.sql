-- kxSample: schema and data of the sample account book (样本账簿) of a small
-- industrial enterprise, opened on 2026-01-01 under the enterprise accounting
-- standard. The build runs this script into Data/kxSample.mde.
--
-- Format: UTF-8, one statement per group of lines. A statement ends with ";" as
-- the last character of a line; no other line ends with ";", and no text value
-- spans lines. Lines starting with "--" between statements are comments.
-- Column types are Jet DDL names; literals are 'text' ('' for a quote), numbers,
-- dates as 'yyyy-mm-dd hh:nn:ss' text, NULL, 1/0 for Yes/No, X'..' for binary,
-- and GUIDs as '{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}' text. All tables come
-- first, then the one view kxVBalance, then the rows.
--
-- Operators: opID 1 "主管" (password 8888) holds every right, VCH_LOOK among
-- them; opID 2 "出纳" (password 6666) keeps the cash and bank journals and does
-- not hold VCH_LOOK; opID 3 "会计" (password 1234) enters vouchers.
--
-- kxBookInfo row 'BookInfo': the book information items, joined with "|", in
-- item order:
--    1 book location            ..\Data\kxSample.mde
--    2 book number              000000
--    3 software version         3.0
--    4 industry                 工业
--    5 book name                样本账簿
--    6 company                  ××××有限公司
--    7 financial director       王建国
--    8 accounting standard      企业会计准则
--    9 currency                 人民币
--   10 account code structure   4-2-2-2
--   11 period count             12
--   12 created at               2026-01-01 09:00:00
--   13 creator                  主管
--   14 installation mark        KX-SAMPLE-20260101
--   15 start period (yyyy年MM月) 2026年01月
-- The wizard rewrites items 5, 6, 14 and 15 of a new book made from this one.
--
-- kxStatement.AssistCode: codes of at most four characters mark the rows of the
-- standard statements (资产负债表, 利润表, 现金流量表) and stay when a new book drops
-- the template's own reports; longer codes mark rows of reports this book made
-- itself (费用明细表). Heading rows have no code.

CREATE TABLE kxSystem (
    [SysName] TEXT(50) PRIMARY KEY,
    [SysValue] MEMO,
    [SysMemo] TEXT(100)
);

CREATE TABLE kxBookInfo (
    [InfoName] TEXT(50) PRIMARY KEY,
    [InfoValue] MEMO
);

CREATE TABLE kxOperator (
    [opID] COUNTER PRIMARY KEY,
    [opName] TEXT(20),
    [OpPwd] TEXT(20),
    [opFullName] TEXT(40),
    [opDuty] TEXT(20),
    [IsAdmin] BIT,
    [IsStop] BIT,
    [opMemo] TEXT(100)
);

CREATE TABLE kxOpRight (
    [RightID] COUNTER PRIMARY KEY,
    [opID] LONG,
    [RightCode] TEXT(20)
);

CREATE TABLE kxAccPeriod (
    [PeriodID] LONG PRIMARY KEY,
    [AccYear] SHORT,
    [AccPeriod] BYTE,
    [StartDate] DATETIME,
    [EndDate] DATETIME,
    [IsClosed] BIT,
    [PeriodMemo] MEMO
);

CREATE TABLE kxAccClass (
    [AccCode] TEXT(20) PRIMARY KEY,
    [AccName] TEXT(60),
    [AccFullName] TEXT(200),
    [AccLevel] BYTE,
    [ParentCode] TEXT(20),
    [AccDir] TEXT(2),
    [AccType] TEXT(10),
    [IsDetail] BIT,
    [AssistType] TEXT(10),
    [IsCash] BIT,
    [IsBank] BIT,
    [IsStop] BIT
);

CREATE TABLE kxAccInitial (
    [AccCode] TEXT(20) PRIMARY KEY,
    [InitBalance] CURRENCY,
    [InitQty] DOUBLE,
    [YearDebit] CURRENCY,
    [YearCredit] CURRENCY
);

CREATE TABLE kxFrmFormat (
    [FrmID] COUNTER PRIMARY KEY,
    [FrmName] TEXT(40),
    [FrmKind] TEXT(20),
    [PaperName] TEXT(20),
    [PaperWidth] SINGLE,
    [PaperHeight] SINGLE,
    [Orientation] BYTE,
    [RowsPerPage] SHORT,
    [FrmLayout] MEMO
);

CREATE TABLE kxAccFormat (
    [AccCode] TEXT(20) PRIMARY KEY,
    [FrmID] LONG,
    [QtyUnit] TEXT(10),
    [PriceDecimals] BYTE,
    [CurrencyName] TEXT(10)
);

CREATE TABLE kxAssistItem (
    [ItemID] COUNTER PRIMARY KEY,
    [ItemCode] TEXT(20),
    [ItemName] TEXT(100),
    [ItemKind] TEXT(10),
    [ShortName] TEXT(40),
    [BankName] TEXT(60),
    [BankAccount] TEXT(30),
    [Address] TEXT(100),
    [Contact] TEXT(20),
    [IsStop] BIT
);

CREATE TABLE kxBranch (
    [BranchCode] TEXT(20) PRIMARY KEY,
    [BranchName] TEXT(40),
    [ParentCode] TEXT(20),
    [Manager] TEXT(20),
    [IsStop] BIT
);

CREATE TABLE kxCashFlow (
    [FlowCode] TEXT(20) PRIMARY KEY,
    [FlowName] TEXT(100),
    [FlowClass] TEXT(20),
    [FlowDir] TEXT(4),
    [IsDetail] BIT
);

CREATE TABLE kxExplain (
    [ExpID] COUNTER PRIMARY KEY,
    [ExpCode] TEXT(10),
    [ExpText] TEXT(100),
    [AccCode] TEXT(20)
);

CREATE TABLE kxTrans (
    [TransID] COUNTER PRIMARY KEY,
    [TransName] TEXT(40),
    [TransKind] TEXT(20),
    [DocType] TEXT(4),
    [Summary] TEXT(100),
    [IsAuto] BIT
);

CREATE TABLE kxTransSetting (
    [SetID] COUNTER PRIMARY KEY,
    [TransID] LONG,
    [RowNo] SHORT,
    [AccCode] TEXT(20),
    [EntryDir] TEXT(2),
    [Formula] TEXT(255),
    [Summary] TEXT(100)
);

CREATE TABLE kxAccReport (
    [ReportID] COUNTER PRIMARY KEY,
    [ReportName] TEXT(60),
    [ReportKind] TEXT(20),
    [PeriodKind] TEXT(10),
    [ReportDef] MEMO,
    [ReportLogo] LONGBINARY,
    [Creator] TEXT(20),
    [CreateTime] DATETIME,
    [IsSystem] BIT
);

CREATE TABLE kxStatement (
    [StmID] COUNTER PRIMARY KEY,
    [ReportID] LONG,
    [RowNo] SHORT,
    [ItemName] TEXT(100),
    [LineNum] TEXT(10),
    [AssistCode] TEXT(20),
    [EndFormula] MEMO,
    [BeginFormula] MEMO,
    [IsBold] BIT
);

CREATE TABLE kxDocDir (
    [DocID] COUNTER PRIMARY KEY,
    [DocYear] SHORT,
    [DocPeriod] BYTE,
    [DocType] TEXT(4),
    [DocNo] LONG,
    [DocDate] DATETIME,
    [AttachCount] SHORT,
    [Maker] TEXT(20),
    [Checker] TEXT(20),
    [Poster] TEXT(20),
    [IsChecked] BIT,
    [IsPosted] BIT
);

CREATE TABLE kxDocRecs (
    [RecID] COUNTER PRIMARY KEY,
    [DocID] LONG,
    [RowNo] SHORT,
    [Summary] TEXT(100),
    [AccCode] TEXT(20),
    [Debit] CURRENCY,
    [Credit] CURRENCY,
    [BranchCode] TEXT(20),
    [ItemCode] TEXT(20),
    [FlowCode] TEXT(20),
    [Qty] DOUBLE,
    [Price] DOUBLE
);

CREATE TABLE kxBranchInit (
    [InitID] COUNTER PRIMARY KEY,
    [AccCode] TEXT(20),
    [BranchCode] TEXT(20),
    [InitBalance] CURRENCY
);

CREATE TABLE kxItemInit (
    [InitID] COUNTER PRIMARY KEY,
    [AccCode] TEXT(20),
    [ItemCode] TEXT(20),
    [InitBalance] CURRENCY
);

CREATE TABLE kxFlowInit (
    [InitID] COUNTER PRIMARY KEY,
    [FlowCode] TEXT(20),
    [InitAmount] CURRENCY
);

CREATE TABLE kxJournal (
    [JnlID] COUNTER PRIMARY KEY,
    [AccCode] TEXT(20),
    [JnlName] TEXT(40),
    [BankName] TEXT(60),
    [BankAccount] TEXT(30),
    [InitBalance] CURRENCY,
    [IsBank] BIT
);

CREATE TABLE kxJournalRecs (
    [RecID] COUNTER PRIMARY KEY,
    [JnlID] LONG,
    [RecDate] DATETIME,
    [Summary] TEXT(100),
    [SettleKind] TEXT(10),
    [SettleNo] TEXT(20),
    [Debit] CURRENCY,
    [Credit] CURRENCY,
    [DocID] LONG
);

CREATE TABLE kxLog (
    [LogID] COUNTER PRIMARY KEY,
    [LogTime] DATETIME,
    [opName] TEXT(20),
    [LogAction] TEXT(40),
    [LogDetail] TEXT(255),
    [Workstation] TEXT(40)
);

CREATE TABLE kxAccData (
    [DataID] COUNTER PRIMARY KEY,
    [AccCode] TEXT(20),
    [AccYear] SHORT,
    [AccPeriod] BYTE,
    [BeginBalance] CURRENCY,
    [PeriodDebit] CURRENCY,
    [PeriodCredit] CURRENCY,
    [EndBalance] CURRENCY,
    [YearDebit] CURRENCY,
    [YearCredit] CURRENCY
);

CREATE TABLE kxStaff (
    [StaffID] COUNTER PRIMARY KEY,
    [StaffCode] TEXT(10),
    [StaffName] TEXT(20),
    [Sex] TEXT(2),
    [BranchCode] TEXT(20),
    [Duty] TEXT(20),
    [BaseWage] CURRENCY,
    [PostWage] CURRENCY,
    [EntryDate] DATETIME,
    [IsActive] BIT
);

CREATE TABLE kxWages (
    [WageID] COUNTER PRIMARY KEY,
    [WageYear] SHORT,
    [WagePeriod] BYTE,
    [WageName] TEXT(40),
    [MakeDate] DATETIME,
    [Maker] TEXT(20),
    [TotalGross] CURRENCY,
    [TotalNet] CURRENCY,
    [IsPaid] BIT
);

CREATE TABLE kxWagesRecs (
    [RecID] COUNTER PRIMARY KEY,
    [WageID] LONG,
    [StaffID] LONG,
    [BaseWage] CURRENCY,
    [PostWage] CURRENCY,
    [Bonus] CURRENCY,
    [Allowance] CURRENCY,
    [SocialIns] CURRENCY,
    [HousingFund] CURRENCY,
    [IncomeTax] CURRENCY,
    [NetPay] CURRENCY
);

CREATE TABLE kxFaClass (
    [ClassCode] TEXT(10) PRIMARY KEY,
    [ClassName] TEXT(40),
    [UseLife] SHORT,
    [SalvageRate] SINGLE,
    [DeprecMethod] TEXT(20)
);

CREATE TABLE kxFaCard (
    [CardID] COUNTER PRIMARY KEY,
    [AssetCode] TEXT(20),
    [AssetName] TEXT(60),
    [ClassCode] TEXT(10),
    [BranchCode] TEXT(20),
    [Model] TEXT(60),
    [Quantity] DECIMAL,
    [StartDate] DATETIME,
    [UseLife] SHORT,
    [OriginalValue] CURRENCY,
    [SalvageRate] SINGLE,
    [MonthDeprec] CURRENCY,
    [AccumDeprec] CURRENCY,
    [NetValue] CURRENCY,
    [DeprecAccount] TEXT(20),
    [AssetStatus] TEXT(10),
    [AssetGuid] GUID
);

CREATE TABLE kxFaDeprec (
    [DeprecID] COUNTER PRIMARY KEY,
    [CardID] LONG,
    [DeprecYear] SHORT,
    [DeprecPeriod] BYTE,
    [Amount] CURRENCY,
    [AccumDeprec] CURRENCY,
    [AccCode] TEXT(20)
);

CREATE VIEW kxVBalance AS SELECT [AccCode], [AccName], [AccDir], [AccType] FROM kxAccClass WHERE [IsDetail] = 1;

-- kxSystem
INSERT INTO kxSystem ([SysName], [SysValue], [SysMemo]) VALUES ('CurrentYear', '2026', '当前会计年度');
INSERT INTO kxSystem ([SysName], [SysValue], [SysMemo]) VALUES ('CurrentPeriod', '1', '当前会计期间');
INSERT INTO kxSystem ([SysName], [SysValue], [SysMemo]) VALUES ('StartYear', '2026', '启用年度');
INSERT INTO kxSystem ([SysName], [SysValue], [SysMemo]) VALUES ('StartPeriod', '1', '启用期间');
INSERT INTO kxSystem ([SysName], [SysValue], [SysMemo]) VALUES ('StartDate', '2026-01-01', '启用日期');
INSERT INTO kxSystem ([SysName], [SysValue], [SysMemo]) VALUES ('AccCodeRule', '4-2-2-2', '科目编码结构');
INSERT INTO kxSystem ([SysName], [SysValue], [SysMemo]) VALUES ('AmountDecimals', '2', '金额小数位数');
INSERT INTO kxSystem ([SysName], [SysValue], [SysMemo]) VALUES ('PriceDecimals', '4', '单价小数位数');
INSERT INTO kxSystem ([SysName], [SysValue], [SysMemo]) VALUES ('QtyDecimals', '2', '数量小数位数');
INSERT INTO kxSystem ([SysName], [SysValue], [SysMemo]) VALUES ('CheckByOther', '1', '凭证审核人与制单人不能为同一人');
INSERT INTO kxSystem ([SysName], [SysValue], [SysMemo]) VALUES ('DocNoRule', '按月连续编号', '凭证编号方式');
INSERT INTO kxSystem ([SysName], [SysValue], [SysMemo]) VALUES ('CashAccount', '1001', '现金科目');
INSERT INTO kxSystem ([SysName], [SysValue], [SysMemo]) VALUES ('BankAccount', '1002', '银行存款科目');
INSERT INTO kxSystem ([SysName], [SysValue], [SysMemo]) VALUES ('ProfitAccount', '4103', '本年利润科目');
INSERT INTO kxSystem ([SysName], [SysValue], [SysMemo]) VALUES ('UndistributedAccount', '410403', '未分配利润科目');
INSERT INTO kxSystem ([SysName], [SysValue], [SysMemo]) VALUES ('CurrencyName', '人民币', '本位币');
INSERT INTO kxSystem ([SysName], [SysValue], [SysMemo]) VALUES ('DocPrintNote', '凭证打印说明：记账凭证按月连续编号，每张凭证附件张数须与原始单据一致；金额栏以人民币元为单位，保留两位小数；制单、审核、记账须由不同人员签章；作废凭证应保留存根，不得撕毁。', '凭证打印设置');

-- kxBookInfo
INSERT INTO kxBookInfo ([InfoName], [InfoValue]) VALUES ('BookInfo', '..\Data\kxSample.mde|000000|3.0|工业|样本账簿|××××有限公司|王建国|企业会计准则|人民币|4-2-2-2|12|2026-01-01 09:00:00|主管|KX-SAMPLE-20260101|2026年01月');
INSERT INTO kxBookInfo ([InfoName], [InfoValue]) VALUES ('BookGuid', '{0C8E5B7A-2F41-4D6B-9E13-5A7C9D2B1F60}');
INSERT INTO kxBookInfo ([InfoName], [InfoValue]) VALUES ('DataVersion', '3.0.2026.0101');

-- kxOperator
INSERT INTO kxOperator ([opID], [opName], [OpPwd], [opFullName], [opDuty], [IsAdmin], [IsStop], [opMemo]) VALUES (1, '主管', '8888', '王建国', '财务经理', 1, 0, '账套主管，拥有全部权限');
INSERT INTO kxOperator ([opID], [opName], [OpPwd], [opFullName], [opDuty], [IsAdmin], [IsStop], [opMemo]) VALUES (2, '出纳', '6666', '李秀英', '出纳', 0, 0, '负责现金和银行日记账');
INSERT INTO kxOperator ([opID], [opName], [OpPwd], [opFullName], [opDuty], [IsAdmin], [IsStop], [opMemo]) VALUES (3, '会计', '1234', '张丽', '总账会计', 0, 0, '负责凭证录入和报表');

-- kxOpRight
INSERT INTO kxOpRight ([RightID], [opID], [RightCode]) VALUES (1, 1, 'VCH_LOOK');
INSERT INTO kxOpRight ([RightID], [opID], [RightCode]) VALUES (2, 1, 'VCH_EDIT');
INSERT INTO kxOpRight ([RightID], [opID], [RightCode]) VALUES (3, 1, 'VCH_CHECK');
INSERT INTO kxOpRight ([RightID], [opID], [RightCode]) VALUES (4, 1, 'VCH_POST');
INSERT INTO kxOpRight ([RightID], [opID], [RightCode]) VALUES (5, 1, 'ACC_SET');
INSERT INTO kxOpRight ([RightID], [opID], [RightCode]) VALUES (6, 1, 'RPT_LOOK');
INSERT INTO kxOpRight ([RightID], [opID], [RightCode]) VALUES (7, 1, 'RPT_EDIT');
INSERT INTO kxOpRight ([RightID], [opID], [RightCode]) VALUES (8, 1, 'JNL_LOOK');
INSERT INTO kxOpRight ([RightID], [opID], [RightCode]) VALUES (9, 1, 'SYS_ADMIN');
INSERT INTO kxOpRight ([RightID], [opID], [RightCode]) VALUES (10, 2, 'JNL_LOOK');
INSERT INTO kxOpRight ([RightID], [opID], [RightCode]) VALUES (11, 2, 'JNL_EDIT');
INSERT INTO kxOpRight ([RightID], [opID], [RightCode]) VALUES (12, 2, 'RPT_LOOK');
INSERT INTO kxOpRight ([RightID], [opID], [RightCode]) VALUES (13, 3, 'VCH_LOOK');
INSERT INTO kxOpRight ([RightID], [opID], [RightCode]) VALUES (14, 3, 'VCH_EDIT');
INSERT INTO kxOpRight ([RightID], [opID], [RightCode]) VALUES (15, 3, 'RPT_LOOK');
INSERT INTO kxOpRight ([RightID], [opID], [RightCode]) VALUES (16, 3, 'RPT_EDIT');
INSERT INTO kxOpRight ([RightID], [opID], [RightCode]) VALUES (17, 3, 'JNL_LOOK');

-- kxAccPeriod
INSERT INTO kxAccPeriod ([PeriodID], [AccYear], [AccPeriod], [StartDate], [EndDate], [IsClosed], [PeriodMemo]) VALUES (202601, 2026, 1, '2026-01-01 00:00:00', '2026-01-31 00:00:00', 0, '本期已录入凭证15张，其中12张已记账，月末计提和结转凭证待审核记账。');
INSERT INTO kxAccPeriod ([PeriodID], [AccYear], [AccPeriod], [StartDate], [EndDate], [IsClosed], [PeriodMemo]) VALUES (202602, 2026, 2, '2026-02-01 00:00:00', '2026-02-28 00:00:00', 0, NULL);
INSERT INTO kxAccPeriod ([PeriodID], [AccYear], [AccPeriod], [StartDate], [EndDate], [IsClosed], [PeriodMemo]) VALUES (202603, 2026, 3, '2026-03-01 00:00:00', '2026-03-31 00:00:00', 0, NULL);
INSERT INTO kxAccPeriod ([PeriodID], [AccYear], [AccPeriod], [StartDate], [EndDate], [IsClosed], [PeriodMemo]) VALUES (202604, 2026, 4, '2026-04-01 00:00:00', '2026-04-30 00:00:00', 0, NULL);
INSERT INTO kxAccPeriod ([PeriodID], [AccYear], [AccPeriod], [StartDate], [EndDate], [IsClosed], [PeriodMemo]) VALUES (202605, 2026, 5, '2026-05-01 00:00:00', '2026-05-31 00:00:00', 0, NULL);
INSERT INTO kxAccPeriod ([PeriodID], [AccYear], [AccPeriod], [StartDate], [EndDate], [IsClosed], [PeriodMemo]) VALUES (202606, 2026, 6, '2026-06-01 00:00:00', '2026-06-30 00:00:00', 0, NULL);
INSERT INTO kxAccPeriod ([PeriodID], [AccYear], [AccPeriod], [StartDate], [EndDate], [IsClosed], [PeriodMemo]) VALUES (202607, 2026, 7, '2026-07-01 00:00:00', '2026-07-31 00:00:00', 0, NULL);
INSERT INTO kxAccPeriod ([PeriodID], [AccYear], [AccPeriod], [StartDate], [EndDate], [IsClosed], [PeriodMemo]) VALUES (202608, 2026, 8, '2026-08-01 00:00:00', '2026-08-31 00:00:00', 0, NULL);
INSERT INTO kxAccPeriod ([PeriodID], [AccYear], [AccPeriod], [StartDate], [EndDate], [IsClosed], [PeriodMemo]) VALUES (202609, 2026, 9, '2026-09-01 00:00:00', '2026-09-30 00:00:00', 0, NULL);
INSERT INTO kxAccPeriod ([PeriodID], [AccYear], [AccPeriod], [StartDate], [EndDate], [IsClosed], [PeriodMemo]) VALUES (202610, 2026, 10, '2026-10-01 00:00:00', '2026-10-31 00:00:00', 0, NULL);
INSERT INTO kxAccPeriod ([PeriodID], [AccYear], [AccPeriod], [StartDate], [EndDate], [IsClosed], [PeriodMemo]) VALUES (202611, 2026, 11, '2026-11-01 00:00:00', '2026-11-30 00:00:00', 0, NULL);
INSERT INTO kxAccPeriod ([PeriodID], [AccYear], [AccPeriod], [StartDate], [EndDate], [IsClosed], [PeriodMemo]) VALUES (202612, 2026, 12, '2026-12-01 00:00:00', '2026-12-31 00:00:00', 0, NULL);

-- kxAccClass
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1001', '库存现金', '库存现金', 1, NULL, '借', '资产', 1, NULL, 1, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1002', '银行存款', '银行存款', 1, NULL, '借', '资产', 0, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('100201', '工商银行基本户', '银行存款-工商银行基本户', 2, '1002', '借', '资产', 1, NULL, 0, 1, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('100202', '建设银行一般户', '银行存款-建设银行一般户', 2, '1002', '借', '资产', 1, NULL, 0, 1, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1012', '其他货币资金', '其他货币资金', 1, NULL, '借', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1101', '交易性金融资产', '交易性金融资产', 1, NULL, '借', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1121', '应收票据', '应收票据', 1, NULL, '借', '资产', 1, '单位', 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1122', '应收账款', '应收账款', 1, NULL, '借', '资产', 1, '单位', 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1123', '预付账款', '预付账款', 1, NULL, '借', '资产', 1, '单位', 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1131', '应收股利', '应收股利', 1, NULL, '借', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1132', '应收利息', '应收利息', 1, NULL, '借', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1221', '其他应收款', '其他应收款', 1, NULL, '借', '资产', 0, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('122101', '员工借款', '其他应收款-员工借款', 2, '1221', '借', '资产', 1, '部门', 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('122102', '押金保证金', '其他应收款-押金保证金', 2, '1221', '借', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1231', '坏账准备', '坏账准备', 1, NULL, '贷', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1401', '材料采购', '材料采购', 1, NULL, '借', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1402', '在途物资', '在途物资', 1, NULL, '借', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1403', '原材料', '原材料', 1, NULL, '借', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1404', '材料成本差异', '材料成本差异', 1, NULL, '借', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1405', '库存商品', '库存商品', 1, NULL, '借', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1406', '发出商品', '发出商品', 1, NULL, '借', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1411', '周转材料', '周转材料', 1, NULL, '借', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1471', '存货跌价准备', '存货跌价准备', 1, NULL, '贷', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1511', '长期股权投资', '长期股权投资', 1, NULL, '借', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1601', '固定资产', '固定资产', 1, NULL, '借', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1602', '累计折旧', '累计折旧', 1, NULL, '贷', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1603', '固定资产减值准备', '固定资产减值准备', 1, NULL, '贷', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1604', '在建工程', '在建工程', 1, NULL, '借', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1606', '固定资产清理', '固定资产清理', 1, NULL, '借', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1701', '无形资产', '无形资产', 1, NULL, '借', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1702', '累计摊销', '累计摊销', 1, NULL, '贷', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1801', '长期待摊费用', '长期待摊费用', 1, NULL, '借', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1811', '递延所得税资产', '递延所得税资产', 1, NULL, '借', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('1901', '待处理财产损溢', '待处理财产损溢', 1, NULL, '借', '资产', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('2001', '短期借款', '短期借款', 1, NULL, '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('2201', '应付票据', '应付票据', 1, NULL, '贷', '负债', 1, '单位', 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('2202', '应付账款', '应付账款', 1, NULL, '贷', '负债', 1, '单位', 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('2203', '预收账款', '预收账款', 1, NULL, '贷', '负债', 1, '单位', 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('2211', '应付职工薪酬', '应付职工薪酬', 1, NULL, '贷', '负债', 0, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('221101', '工资', '应付职工薪酬-工资', 2, '2211', '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('221102', '职工福利', '应付职工薪酬-职工福利', 2, '2211', '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('221103', '社会保险费', '应付职工薪酬-社会保险费', 2, '2211', '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('221104', '住房公积金', '应付职工薪酬-住房公积金', 2, '2211', '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('2221', '应交税费', '应交税费', 1, NULL, '贷', '负债', 0, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('222101', '应交增值税', '应交税费-应交增值税', 2, '2221', '贷', '负债', 0, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('22210101', '进项税额', '应交税费-应交增值税-进项税额', 3, '222101', '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('22210102', '销项税额', '应交税费-应交增值税-销项税额', 3, '222101', '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('22210103', '已交税金', '应交税费-应交增值税-已交税金', 3, '222101', '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('22210104', '转出未交增值税', '应交税费-应交增值税-转出未交增值税', 3, '222101', '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('222102', '未交增值税', '应交税费-未交增值税', 2, '2221', '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('222103', '应交企业所得税', '应交税费-应交企业所得税', 2, '2221', '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('222104', '应交个人所得税', '应交税费-应交个人所得税', 2, '2221', '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('222105', '应交城市维护建设税', '应交税费-应交城市维护建设税', 2, '2221', '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('222106', '应交教育费附加', '应交税费-应交教育费附加', 2, '2221', '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('2231', '应付利息', '应付利息', 1, NULL, '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('2232', '应付股利', '应付股利', 1, NULL, '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('2241', '其他应付款', '其他应付款', 1, NULL, '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('2501', '长期借款', '长期借款', 1, NULL, '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('2701', '长期应付款', '长期应付款', 1, NULL, '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('2801', '预计负债', '预计负债', 1, NULL, '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('2901', '递延所得税负债', '递延所得税负债', 1, NULL, '贷', '负债', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('3101', '衍生工具', '衍生工具', 1, NULL, '借', '共同', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('3201', '套期工具', '套期工具', 1, NULL, '借', '共同', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('3202', '被套期项目', '被套期项目', 1, NULL, '借', '共同', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('4001', '实收资本', '实收资本', 1, NULL, '贷', '所有者权益', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('4002', '资本公积', '资本公积', 1, NULL, '贷', '所有者权益', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('4101', '盈余公积', '盈余公积', 1, NULL, '贷', '所有者权益', 0, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('410101', '法定盈余公积', '盈余公积-法定盈余公积', 2, '4101', '贷', '所有者权益', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('410102', '任意盈余公积', '盈余公积-任意盈余公积', 2, '4101', '贷', '所有者权益', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('4103', '本年利润', '本年利润', 1, NULL, '贷', '所有者权益', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('4104', '利润分配', '利润分配', 1, NULL, '贷', '所有者权益', 0, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('410401', '提取法定盈余公积', '利润分配-提取法定盈余公积', 2, '4104', '贷', '所有者权益', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('410402', '应付现金股利或利润', '利润分配-应付现金股利或利润', 2, '4104', '贷', '所有者权益', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('410403', '未分配利润', '利润分配-未分配利润', 2, '4104', '贷', '所有者权益', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('5001', '生产成本', '生产成本', 1, NULL, '借', '成本', 0, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('500101', '直接材料', '生产成本-直接材料', 2, '5001', '借', '成本', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('500102', '直接人工', '生产成本-直接人工', 2, '5001', '借', '成本', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('500103', '制造费用', '生产成本-制造费用', 2, '5001', '借', '成本', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('5101', '制造费用', '制造费用', 1, NULL, '借', '成本', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('5301', '研发支出', '研发支出', 1, NULL, '借', '成本', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('6001', '主营业务收入', '主营业务收入', 1, NULL, '贷', '损益', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('6051', '其他业务收入', '其他业务收入', 1, NULL, '贷', '损益', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('6111', '投资收益', '投资收益', 1, NULL, '贷', '损益', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('6301', '营业外收入', '营业外收入', 1, NULL, '贷', '损益', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('6401', '主营业务成本', '主营业务成本', 1, NULL, '借', '损益', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('6402', '其他业务成本', '其他业务成本', 1, NULL, '借', '损益', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('6403', '税金及附加', '税金及附加', 1, NULL, '借', '损益', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('6601', '销售费用', '销售费用', 1, NULL, '借', '损益', 0, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('660101', '工资', '销售费用-工资', 2, '6601', '借', '损益', 1, '部门', 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('660102', '广告费', '销售费用-广告费', 2, '6601', '借', '损益', 1, '部门', 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('660103', '差旅费', '销售费用-差旅费', 2, '6601', '借', '损益', 1, '部门', 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('660104', '折旧费', '销售费用-折旧费', 2, '6601', '借', '损益', 1, '部门', 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('660105', '运输费', '销售费用-运输费', 2, '6601', '借', '损益', 1, '部门', 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('6602', '管理费用', '管理费用', 1, NULL, '借', '损益', 0, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('660201', '工资', '管理费用-工资', 2, '6602', '借', '损益', 1, '部门', 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('660202', '办公费', '管理费用-办公费', 2, '6602', '借', '损益', 1, '部门', 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('660203', '差旅费', '管理费用-差旅费', 2, '6602', '借', '损益', 1, '部门', 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('660204', '业务招待费', '管理费用-业务招待费', 2, '6602', '借', '损益', 1, '部门', 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('660205', '折旧费', '管理费用-折旧费', 2, '6602', '借', '损益', 1, '部门', 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('660206', '水电费', '管理费用-水电费', 2, '6602', '借', '损益', 1, '部门', 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('6603', '财务费用', '财务费用', 1, NULL, '借', '损益', 0, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('660301', '利息支出', '财务费用-利息支出', 2, '6603', '借', '损益', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('660302', '手续费', '财务费用-手续费', 2, '6603', '借', '损益', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('6701', '资产减值损失', '资产减值损失', 1, NULL, '借', '损益', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('6711', '营业外支出', '营业外支出', 1, NULL, '借', '损益', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('6801', '所得税费用', '所得税费用', 1, NULL, '借', '损益', 1, NULL, 0, 0, 0);
INSERT INTO kxAccClass ([AccCode], [AccName], [AccFullName], [AccLevel], [ParentCode], [AccDir], [AccType], [IsDetail], [AssistType], [IsCash], [IsBank], [IsStop]) VALUES ('6901', '以前年度损益调整', '以前年度损益调整', 1, NULL, '借', '损益', 1, NULL, 0, 0, 0);

-- kxAccInitial
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('1001', 8500.00, 0.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('100201', 1256300.00, 0.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('100202', 180000.00, 0.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('1122', 365000.00, 0.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('1123', 30000.00, 0.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('122101', 6000.00, 0.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('122102', 10000.00, 0.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('1403', 212400.00, 35400.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('1405', 438600.00, 2436.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('1601', 2812700.00, 0.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('1602', 1175458.84, 0.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('1701', 120000.00, 0.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('1702', 30000.00, 0.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('2001', 500000.00, 0.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('2202', 286400.00, 0.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('221101', 110000.00, 0.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('222102', 48600.00, 0.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('222103', 36250.00, 0.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('2241', 12000.00, 0.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('4001', 2500000.00, 0.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('4002', 200000.00, 0.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('410101', 150000.00, 0.0, 0.00, 0.00);
INSERT INTO kxAccInitial ([AccCode], [InitBalance], [InitQty], [YearDebit], [YearCredit]) VALUES ('410403', 390791.16, 0.0, 0.00, 0.00);

-- kxFrmFormat
INSERT INTO kxFrmFormat ([FrmID], [FrmName], [FrmKind], [PaperName], [PaperWidth], [PaperHeight], [Orientation], [RowsPerPage], [FrmLayout]) VALUES (1, '记账凭证', '凭证', '凭证纸', 240.0, 140.0, 0, 6, '栏目＝摘要｜会计科目｜借方金额｜贷方金额；表头＝记账凭证；表尾＝记账｜审核｜出纳｜制单');
INSERT INTO kxFrmFormat ([FrmID], [FrmName], [FrmKind], [PaperName], [PaperWidth], [PaperHeight], [Orientation], [RowsPerPage], [FrmLayout]) VALUES (2, '三栏式总账', '总账', 'A4', 210.0, 297.0, 0, 40, '栏目＝日期｜凭证号｜摘要｜借方｜贷方｜方向｜余额');
INSERT INTO kxFrmFormat ([FrmID], [FrmName], [FrmKind], [PaperName], [PaperWidth], [PaperHeight], [Orientation], [RowsPerPage], [FrmLayout]) VALUES (3, '三栏式明细账', '明细账', 'A4', 210.0, 297.0, 0, 40, '栏目＝日期｜凭证号｜摘要｜借方｜贷方｜方向｜余额');
INSERT INTO kxFrmFormat ([FrmID], [FrmName], [FrmKind], [PaperName], [PaperWidth], [PaperHeight], [Orientation], [RowsPerPage], [FrmLayout]) VALUES (4, '数量金额式明细账', '明细账', 'A4', 297.0, 210.0, 1, 30, '栏目＝日期｜凭证号｜摘要｜收入数量｜收入单价｜收入金额｜发出数量｜发出单价｜发出金额｜结存数量｜结存单价｜结存金额');
INSERT INTO kxFrmFormat ([FrmID], [FrmName], [FrmKind], [PaperName], [PaperWidth], [PaperHeight], [Orientation], [RowsPerPage], [FrmLayout]) VALUES (5, '多栏式明细账', '明细账', 'A4', 297.0, 210.0, 1, 30, '栏目＝日期｜凭证号｜摘要｜借方｜贷方｜余额｜〈下级科目分栏〉');
INSERT INTO kxFrmFormat ([FrmID], [FrmName], [FrmKind], [PaperName], [PaperWidth], [PaperHeight], [Orientation], [RowsPerPage], [FrmLayout]) VALUES (6, '现金日记账', '日记账', 'A4', 210.0, 297.0, 0, 40, '栏目＝日期｜凭证号｜摘要｜对方科目｜收入｜支出｜余额');

-- kxAccFormat
INSERT INTO kxAccFormat ([AccCode], [FrmID], [QtyUnit], [PriceDecimals], [CurrencyName]) VALUES ('1001', 6, NULL, 2, '人民币');
INSERT INTO kxAccFormat ([AccCode], [FrmID], [QtyUnit], [PriceDecimals], [CurrencyName]) VALUES ('100201', 6, NULL, 2, '人民币');
INSERT INTO kxAccFormat ([AccCode], [FrmID], [QtyUnit], [PriceDecimals], [CurrencyName]) VALUES ('100202', 6, NULL, 2, '人民币');
INSERT INTO kxAccFormat ([AccCode], [FrmID], [QtyUnit], [PriceDecimals], [CurrencyName]) VALUES ('1403', 4, '千克', 4, '人民币');
INSERT INTO kxAccFormat ([AccCode], [FrmID], [QtyUnit], [PriceDecimals], [CurrencyName]) VALUES ('1405', 4, '件', 4, '人民币');
INSERT INTO kxAccFormat ([AccCode], [FrmID], [QtyUnit], [PriceDecimals], [CurrencyName]) VALUES ('6601', 5, NULL, 2, '人民币');
INSERT INTO kxAccFormat ([AccCode], [FrmID], [QtyUnit], [PriceDecimals], [CurrencyName]) VALUES ('6602', 5, NULL, 2, '人民币');
INSERT INTO kxAccFormat ([AccCode], [FrmID], [QtyUnit], [PriceDecimals], [CurrencyName]) VALUES ('1122', 3, NULL, 2, '人民币');

-- kxAssistItem
INSERT INTO kxAssistItem ([ItemID], [ItemCode], [ItemName], [ItemKind], [ShortName], [BankName], [BankAccount], [Address], [Contact], [IsStop]) VALUES (1, 'C001', '北京华盛商贸有限公司', '客户', '北京华盛', '中国工商银行北京朝阳支行', '0200001509200123456', '北京市朝阳区建国路88号', '刘建华', 0);
INSERT INTO kxAssistItem ([ItemID], [ItemCode], [ItemName], [ItemKind], [ShortName], [BankName], [BankAccount], [Address], [Contact], [IsStop]) VALUES (2, 'C002', '上海东方机电设备有限公司', '客户', '上海东方', '中国银行上海浦东分行', '4378 5821 0093', '上海市浦东新区张江路1200号', '周敏', 0);
INSERT INTO kxAssistItem ([ItemID], [ItemCode], [ItemName], [ItemKind], [ShortName], [BankName], [BankAccount], [Address], [Contact], [IsStop]) VALUES (3, 'C003', 'O''Neill（深圳）户外用品有限公司', '客户', 'O''Neill深圳', '招商银行深圳南山支行', '7559 0123 4567 801', '深圳市南山区科技园南区18栋', 'Kevin O''Neill', 0);
INSERT INTO kxAssistItem ([ItemID], [ItemCode], [ItemName], [ItemKind], [ShortName], [BankName], [BankAccount], [Address], [Contact], [IsStop]) VALUES (4, 'S001', '广州南粤五金制品厂', '供应商', '南粤五金', '中国农业银行广州番禺支行', '4405 0101 0400 2233', '广州市番禺区市桥街繁华路9号', '黄志明', 0);
INSERT INTO kxAssistItem ([ItemID], [ItemCode], [ItemName], [ItemKind], [ShortName], [BankName], [BankAccount], [Address], [Contact], [IsStop]) VALUES (5, 'S002', '苏州恒通精密机械有限公司', '供应商', '苏州恒通', '交通银行苏州工业园区支行', '3250 0066 1018 0100 45678', '苏州工业园区星湖街328号', '沈玉琴', 0);
INSERT INTO kxAssistItem ([ItemID], [ItemCode], [ItemName], [ItemKind], [ShortName], [BankName], [BankAccount], [Address], [Contact], [IsStop]) VALUES (6, 'S003', '天津渤海物流有限公司', '供应商', '渤海物流', '中国建设银行天津滨海支行', '1205 0162 7200 0000 3311', '天津市滨海新区港航路66号', '马强', 0);
INSERT INTO kxAssistItem ([ItemID], [ItemCode], [ItemName], [ItemKind], [ShortName], [BankName], [BankAccount], [Address], [Contact], [IsStop]) VALUES (7, 'S004', '杭州西子包装材料有限公司', '供应商', '西子包装', '杭州银行西湖支行', '3301 0401 6000 1234 5', '杭州市西湖区文三路398号', '钱晓燕', 0);

-- kxBranch
INSERT INTO kxBranch ([BranchCode], [BranchName], [ParentCode], [Manager], [IsStop]) VALUES ('01', '办公室', NULL, '赵敏', 0);
INSERT INTO kxBranch ([BranchCode], [BranchName], [ParentCode], [Manager], [IsStop]) VALUES ('02', '财务部', NULL, '王建国', 0);
INSERT INTO kxBranch ([BranchCode], [BranchName], [ParentCode], [Manager], [IsStop]) VALUES ('03', '销售部', NULL, '陈𠮷明', 0);
INSERT INTO kxBranch ([BranchCode], [BranchName], [ParentCode], [Manager], [IsStop]) VALUES ('04', '生产部', NULL, '孙志强', 0);
INSERT INTO kxBranch ([BranchCode], [BranchName], [ParentCode], [Manager], [IsStop]) VALUES ('05', '采购部', NULL, '吴芳', 0);
INSERT INTO kxBranch ([BranchCode], [BranchName], [ParentCode], [Manager], [IsStop]) VALUES ('06', '仓储部', NULL, '郑海涛', 0);
INSERT INTO kxBranch ([BranchCode], [BranchName], [ParentCode], [Manager], [IsStop]) VALUES ('07', '人力资源部', NULL, '赵敏', 0);
INSERT INTO kxBranch ([BranchCode], [BranchName], [ParentCode], [Manager], [IsStop]) VALUES ('0401', '一车间', '04', '周杰', 0);
INSERT INTO kxBranch ([BranchCode], [BranchName], [ParentCode], [Manager], [IsStop]) VALUES ('0402', '二车间', '04', '孙志强', 0);

-- kxCashFlow
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('01', '一、经营活动产生的现金流量', '经营活动', NULL, 0);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0101', '销售商品、提供劳务收到的现金', '经营活动', '流入', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0102', '收到的税费返还', '经营活动', '流入', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0103', '收到其他与经营活动有关的现金', '经营活动', '流入', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0104', '购买商品、接受劳务支付的现金', '经营活动', '流出', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0105', '支付给职工以及为职工支付的现金', '经营活动', '流出', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0106', '支付的各项税费', '经营活动', '流出', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0107', '支付其他与经营活动有关的现金', '经营活动', '流出', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('02', '二、投资活动产生的现金流量', '投资活动', NULL, 0);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0201', '收回投资收到的现金', '投资活动', '流入', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0202', '取得投资收益收到的现金', '投资活动', '流入', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0203', '处置固定资产、无形资产和其他长期资产收回的现金净额', '投资活动', '流入', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0204', '处置子公司及其他营业单位收到的现金净额', '投资活动', '流入', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0205', '收到其他与投资活动有关的现金', '投资活动', '流入', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0206', '购建固定资产、无形资产和其他长期资产支付的现金', '投资活动', '流出', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0207', '投资支付的现金', '投资活动', '流出', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0208', '取得子公司及其他营业单位支付的现金净额', '投资活动', '流出', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0209', '支付其他与投资活动有关的现金', '投资活动', '流出', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('03', '三、筹资活动产生的现金流量', '筹资活动', NULL, 0);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0301', '吸收投资收到的现金', '筹资活动', '流入', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0302', '取得借款收到的现金', '筹资活动', '流入', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0303', '收到其他与筹资活动有关的现金', '筹资活动', '流入', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0304', '偿还债务支付的现金', '筹资活动', '流出', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0305', '分配股利、利润或偿付利息支付的现金', '筹资活动', '流出', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('0306', '支付其他与筹资活动有关的现金', '筹资活动', '流出', 1);
INSERT INTO kxCashFlow ([FlowCode], [FlowName], [FlowClass], [FlowDir], [IsDetail]) VALUES ('04', '四、汇率变动对现金及现金等价物的影响', '汇率变动', NULL, 1);

-- kxExplain
INSERT INTO kxExplain ([ExpID], [ExpCode], [ExpText], [AccCode]) VALUES (1, '01', '提现', '1001');
INSERT INTO kxExplain ([ExpID], [ExpCode], [ExpText], [AccCode]) VALUES (2, '02', '存现', '100201');
INSERT INTO kxExplain ([ExpID], [ExpCode], [ExpText], [AccCode]) VALUES (3, '03', '报销差旅费', '660203');
INSERT INTO kxExplain ([ExpID], [ExpCode], [ExpText], [AccCode]) VALUES (4, '04', '支付货款', '2202');
INSERT INTO kxExplain ([ExpID], [ExpCode], [ExpText], [AccCode]) VALUES (5, '05', '收到货款', '1122');
INSERT INTO kxExplain ([ExpID], [ExpCode], [ExpText], [AccCode]) VALUES (6, '06', '计提折旧', '1602');
INSERT INTO kxExplain ([ExpID], [ExpCode], [ExpText], [AccCode]) VALUES (7, '07', '计提本月工资', '221101');
INSERT INTO kxExplain ([ExpID], [ExpCode], [ExpText], [AccCode]) VALUES (8, '08', '发放上月工资', '221101');
INSERT INTO kxExplain ([ExpID], [ExpCode], [ExpText], [AccCode]) VALUES (9, '09', '缴纳上月增值税', '222102');
INSERT INTO kxExplain ([ExpID], [ExpCode], [ExpText], [AccCode]) VALUES (10, '10', '购买办公用品', '660202');
INSERT INTO kxExplain ([ExpID], [ExpCode], [ExpText], [AccCode]) VALUES (11, '11', '支付水电费', '660206');
INSERT INTO kxExplain ([ExpID], [ExpCode], [ExpText], [AccCode]) VALUES (12, '12', '银行手续费', '660302');
INSERT INTO kxExplain ([ExpID], [ExpCode], [ExpText], [AccCode]) VALUES (13, '13', '结转销售成本', '6401');
INSERT INTO kxExplain ([ExpID], [ExpCode], [ExpText], [AccCode]) VALUES (14, '14', '结转损益', '4103');
INSERT INTO kxExplain ([ExpID], [ExpCode], [ExpText], [AccCode]) VALUES (15, '15', '采购原材料', '1403');
INSERT INTO kxExplain ([ExpID], [ExpCode], [ExpText], [AccCode]) VALUES (16, '16', '销售商品', '6001');
INSERT INTO kxExplain ([ExpID], [ExpCode], [ExpText], [AccCode]) VALUES (17, '17', '支付业务招待费', '660204');

-- kxTrans
INSERT INTO kxTrans ([TransID], [TransName], [TransKind], [DocType], [Summary], [IsAuto]) VALUES (1, '结转损益', '期间损益结转', '转', '结转本期损益', 1);
INSERT INTO kxTrans ([TransID], [TransName], [TransKind], [DocType], [Summary], [IsAuto]) VALUES (2, '计提折旧', '固定资产折旧', '转', '计提本月固定资产折旧', 1);
INSERT INTO kxTrans ([TransID], [TransName], [TransKind], [DocType], [Summary], [IsAuto]) VALUES (3, '结转本年利润', '年末结转', '转', '结转本年利润至未分配利润', 0);
INSERT INTO kxTrans ([TransID], [TransName], [TransKind], [DocType], [Summary], [IsAuto]) VALUES (4, '计提所得税', '所得税', '转', '计提本期企业所得税', 0);

-- kxTransSetting
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (1, 1, 1, '6001', '借', '期末余额("6001")', '结转损益');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (2, 1, 2, '6051', '借', '期末余额("6051")', '结转损益');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (3, 1, 3, '6111', '借', '期末余额("6111")', '结转损益');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (4, 1, 4, '6301', '借', '期末余额("6301")', '结转损益');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (5, 1, 5, '4103', '贷', '借方合计()', '结转损益');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (6, 1, 6, '4103', '借', '贷方合计()', '结转损益');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (7, 1, 7, '6401', '贷', '期末余额("6401")', '结转损益');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (8, 1, 8, '6402', '贷', '期末余额("6402")', '结转损益');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (9, 1, 9, '6403', '贷', '期末余额("6403")', '结转损益');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (10, 1, 10, '6601', '贷', '期末余额("6601")', '结转损益');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (11, 1, 11, '6602', '贷', '期末余额("6602")', '结转损益');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (12, 1, 12, '6603', '贷', '期末余额("6603")', '结转损益');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (13, 1, 13, '6701', '贷', '期末余额("6701")', '结转损益');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (14, 1, 14, '6711', '贷', '期末余额("6711")', '结转损益');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (15, 1, 15, '6801', '贷', '期末余额("6801")', '结转损益');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (16, 2, 1, '660205', '借', '固定资产折旧("管理部门")', '计提折旧');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (17, 2, 2, '5101', '借', '固定资产折旧("生产部门")', '计提折旧');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (18, 2, 3, '660104', '借', '固定资产折旧("销售部门")', '计提折旧');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (19, 2, 4, '1602', '贷', '借方合计()', '计提折旧');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (20, 3, 1, '4103', '借', '年末余额("4103")', '结转本年利润');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (21, 3, 2, '410403', '贷', '借方合计()', '结转本年利润');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (22, 4, 1, '6801', '借', '利润总额()*0.25', '计提所得税');
INSERT INTO kxTransSetting ([SetID], [TransID], [RowNo], [AccCode], [EntryDir], [Formula], [Summary]) VALUES (23, 4, 2, '222103', '贷', '借方合计()', '计提所得税');

-- kxAccReport
INSERT INTO kxAccReport ([ReportID], [ReportName], [ReportKind], [PeriodKind], [ReportDef], [ReportLogo], [Creator], [CreateTime], [IsSystem]) VALUES (1, '资产负债表', '资产负债表', '月报', '报表名称＝资产负债表；表号＝会企01表；编制单位＝〈单位名称〉；报表日期＝〈期末日期〉；金额单位＝元；纸张＝A4纵向；标题字体＝黑体，16号，居中；表头字体＝宋体，10号；正文字体＝宋体，9号；栏目＝资产｜行次｜期末余额｜年初余额｜负债和所有者权益｜行次｜期末余额｜年初余额；第1行：项目＝资产，类型＝标题行，字体＝宋体，字号＝9，加粗＝是，对齐＝左；第2行：项目＝流动资产：，类型＝标题行，字体＝宋体，字号＝9，加粗＝是，对齐＝左；第3行：项目＝货币资金，行次＝1，代码＝ZC01，期末余额＝期末余额("1001")+期末余额("1002")+期末余额("1012")，年初余额＝年初余额("1001")+年初余额("1002")+年初余额("1012")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第4行：项目＝交易性金融资产，行次＝2，代码＝ZC02，期末余额＝期末余额("1101")，年初余额＝年初余额("1101")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第5行：项目＝应收票据，行次＝3，代码＝ZC03，期末余额＝期末余额("1121")，年初余额＝年初余额("1121")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第6行：项目＝应收账款，行次＝4，代码＝ZC04，期末余额＝期末余额("1122")-期末余额("1231")，年初余额＝年初余额("1122")-年初余额("1231")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第7行：项目＝预付款项，行次＝5，代码＝ZC05，期末余额＝期末余额("1123")，年初余额＝年初余额("1123")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第8行：项目＝其他应收款，行次＝6，代码＝ZC06，期末余额＝期末余额("1221")+期末余额("1131")+期末余额("1132")，年初余额＝年初余额("1221")+年初余额("1131")+年初余额("1132")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第9行：项目＝存货，行次＝7，代码＝ZC07，期末余额＝期末余额("1401")+期末余额("1402")+期末余额("1403")+期末余额("1404")+期末余额("1405")+期末余额("1406")+期末余额("1411")-期末余额("1471")+期末余额("5001")+期末余额("5101")，年初余额＝年初余额("1401")+年初余额("1402")+年初余额("1403")+年初余额("1404")+年初余额("1405")+年初余额("1406")+年初余额("1411")-年初余额("1471")+年初余额("5001")+年初余额("5101")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第10行：项目＝流动资产合计，行次＝8，代码＝ZC08，期末余额＝SUM(ZC01:ZC07)，年初余额＝SUM(ZC01:ZC07)，字体＝宋体，字号＝9，加粗＝是，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第11行：项目＝非流动资产：，类型＝标题行，字体＝宋体，字号＝9，加粗＝是，对齐＝左；第12行：项目＝长期股权投资，行次＝9，代码＝ZC09，期末余额＝期末余额("1511")，年初余额＝年初余额("1511")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第13行：项目＝固定资产，行次＝10，代码＝ZC10，期末余额＝期末余额("1601")-期末余额("1602")-期末余额("1603")+期末余额("1606")，年初余额＝年初余额("1601")-年初余额("1602")-年初余额("1603")+年初余额("1606")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第14行：项目＝在建工程，行次＝11，代码＝ZC11，期末余额＝期末余额("1604")，年初余额＝年初余额("1604")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第15行：项目＝无形资产，行次＝12，代码＝ZC12，期末余额＝期末余额("1701")-期末余额("1702")，年初余额＝年初余额("1701")-年初余额("1702")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第16行：项目＝长期待摊费用，行次＝13，代码＝ZC13，期末余额＝期末余额("1801")，年初余额＝年初余额("1801")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第17行：项目＝递延所得税资产，行次＝14，代码＝ZC14，期末余额＝期末余额("1811")，年初余额＝年初余额("1811")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第18行：项目＝非流动资产合计，行次＝15，代码＝ZC15，期末余额＝SUM(ZC09:ZC14)，年初余额＝SUM(ZC09:ZC14)，字体＝宋体，字号＝9，加粗＝是，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第19行：项目＝资产总计，行次＝16，代码＝ZC16，期末余额＝ZC08+ZC15，年初余额＝ZC08+ZC15，字体＝宋体，字号＝9，加粗＝是，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第20行：项目＝负债和所有者权益，类型＝标题行，字体＝宋体，字号＝9，加粗＝是，对齐＝左；第21行：项目＝流动负债：，类型＝标题行，字体＝宋体，字号＝9，加粗＝是，对齐＝左；第22行：项目＝短期借款，行次＝17，代码＝FZ01，期末余额＝期末余额("2001")，年初余额＝年初余额("2001")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第23行：项目＝应付票据，行次＝18，代码＝FZ02，期末余额＝期末余额("2201")，年初余额＝年初余额("2201")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第24行：项目＝应付账款，行次＝19，代码＝FZ03，期末余额＝期末余额("2202")，年初余额＝年初余额("2202")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第25行：项目＝预收款项，行次＝20，代码＝FZ04，期末余额＝期末余额("2203")，年初余额＝年初余额("2203")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第26行：项目＝应付职工薪酬，行次＝21，代码＝FZ05，期末余额＝期末余额("2211")，年初余额＝年初余额("2211")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第27行：项目＝应交税费，行次＝22，代码＝FZ06，期末余额＝期末余额("2221")，年初余额＝年初余额("2221")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第28行：项目＝其他应付款，行次＝23，代码＝FZ07，期末余额＝期末余额("2241")+期末余额("2231")+期末余额("2232")，年初余额＝年初余额("2241")+年初余额("2231")+年初余额("2232")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第29行：项目＝流动负债合计，行次＝24，代码＝FZ08，期末余额＝SUM(FZ01:FZ07)，年初余额＝SUM(FZ01:FZ07)，字体＝宋体，字号＝9，加粗＝是，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第30行：项目＝非流动负债：，类型＝标题行，字体＝宋体，字号＝9，加粗＝是，对齐＝左；第31行：项目＝长期借款，行次＝25，代码＝FZ09，期末余额＝期末余额("2501")，年初余额＝年初余额("2501")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第32行：项目＝长期应付款，行次＝26，代码＝FZ10，期末余额＝期末余额("2701")，年初余额＝年初余额("2701")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第33行：项目＝预计负债，行次＝27，代码＝FZ11，期末余额＝期末余额("2801")，年初余额＝年初余额("2801")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第34行：项目＝递延所得税负债，行次＝28，代码＝FZ12，期末余额＝期末余额("2901")，年初余额＝年初余额("2901")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第35行：项目＝非流动负债合计，行次＝29，代码＝FZ13，期末余额＝SUM(FZ09:FZ12)，年初余额＝SUM(FZ09:FZ12)，字体＝宋体，字号＝9，加粗＝是，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第36行：项目＝负债合计，行次＝30，代码＝FZ14，期末余额＝FZ08+FZ13，年初余额＝FZ08+FZ13，字体＝宋体，字号＝9，加粗＝是，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第37行：项目＝所有者权益：，类型＝标题行，字体＝宋体，字号＝9，加粗＝是，对齐＝左；第38行：项目＝实收资本（或股本），行次＝31，代码＝QY01，期末余额＝期末余额("4001")，年初余额＝年初余额("4001")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第39行：项目＝资本公积，行次＝32，代码＝QY02，期末余额＝期末余额("4002")，年初余额＝年初余额("4002")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第40行：项目＝盈余公积，行次＝33，代码＝QY03，期末余额＝期末余额("4101")，年初余额＝年初余额("4101")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第41行：项目＝未分配利润，行次＝34，代码＝QY04，期末余额＝期末余额("4103")+期末余额("4104")，年初余额＝年初余额("4103")+年初余额("4104")，字体＝宋体，字号＝9，加粗＝否，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第42行：项目＝所有者权益合计，行次＝35，代码＝QY05，期末余额＝SUM(QY01:QY04)，年初余额＝SUM(QY01:QY04)，字体＝宋体，字号＝9，加粗＝是，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；第43行：项目＝负债和所有者权益总计，行次＝36，代码＝QY06，期末余额＝FZ14+QY05，年初余额＝FZ14+QY05，字体＝宋体，字号＝9，加粗＝是，对齐＝右，数字格式＝#,##0.00，零值显示＝空白；校验公式1＝ZC16＝QY06，不等时提示“资产总计与负债和所有者权益总计不相等，请检查科目余额及报表公式。”；校验公式2＝ZC08＋ZC15＝ZC16，不等时提示“流动资产合计与非流动资产合计之和不等于资产总计。”；表尾＝单位负责人：〈签章〉　会计机构负责人：〈财务主管〉　制表人：〈操作员〉；说明＝本表按企业会计准则编制，期末余额取自总账科目期末余额，年初余额取自科目年初余额，备抵科目以负数列示。。', X'89504E470D0A1A0A0000000D4948445200000010000000100802000000909168360000003E4944415478DA63F84F226040E69C9093C38AB06BC0A51A4D0F03A66A5C762234602AC5CA858850A001D325584506B5065A8612C911474ED22027F1110900A9EB2813B36D36F00000000049454E44AE426082', '主管', '2026-01-01 09:30:00', 1);
INSERT INTO kxAccReport ([ReportID], [ReportName], [ReportKind], [PeriodKind], [ReportDef], [ReportLogo], [Creator], [CreateTime], [IsSystem]) VALUES (2, '利润表', '利润表', '月报', '报表名称＝利润表；表号＝会企02表；编制单位＝〈单位名称〉；报表期间＝〈会计期间〉；金额单位＝元；栏目＝项目｜行次｜本期金额｜本年累计金额；第1行：一、营业收入＝本期发生额("6001")+本期发生额("6051")；第2行：减：营业成本＝本期发生额("6401")+本期发生额("6402")；第3行：税金及附加＝本期发生额("6403")；第4行：销售费用＝本期发生额("6601")；第5行：管理费用＝本期发生额("6602")；第6行：财务费用＝本期发生额("6603")；第7行：资产减值损失＝本期发生额("6701")；第8行：加：投资收益＝本期发生额("6111")；第9行：二、营业利润＝LR01-LR02-LR03-LR04-LR05-LR06-LR07+LR08；第10行：加：营业外收入＝本期发生额("6301")；第11行：减：营业外支出＝本期发生额("6711")；第12行：三、利润总额＝LR09+LR10-LR11；第13行：减：所得税费用＝本期发生额("6801")；第14行：四、净利润＝LR12-LR13。', NULL, '主管', '2026-01-01 09:30:00', 1);
INSERT INTO kxAccReport ([ReportID], [ReportName], [ReportKind], [PeriodKind], [ReportDef], [ReportLogo], [Creator], [CreateTime], [IsSystem]) VALUES (3, '现金流量表', '现金流量表', '月报', '报表名称＝现金流量表；表号＝会企03表；编制单位＝〈单位名称〉；金额单位＝元；栏目＝项目｜行次｜本期金额｜上期金额；数据来源＝凭证现金流量项目。', NULL, '主管', '2026-01-01 09:30:00', 1);
INSERT INTO kxAccReport ([ReportID], [ReportName], [ReportKind], [PeriodKind], [ReportDef], [ReportLogo], [Creator], [CreateTime], [IsSystem]) VALUES (4, '费用明细表', '自定义报表', '月报', '报表名称＝费用明细表；类型＝自定义报表；编制单位＝〈单位名称〉；金额单位＝元；栏目＝费用项目｜行次｜本期金额｜本年累计。', NULL, '主管', '2026-01-01 09:30:00', 0);

-- kxStatement
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (1, 1, 1, '资产', NULL, NULL, NULL, NULL, 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (2, 1, 2, '流动资产：', NULL, NULL, NULL, NULL, 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (3, 1, 3, '货币资金', '1', 'ZC01', '期末余额("1001")+期末余额("1002")+期末余额("1012")', '年初余额("1001")+年初余额("1002")+年初余额("1012")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (4, 1, 4, '交易性金融资产', '2', 'ZC02', '期末余额("1101")', '年初余额("1101")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (5, 1, 5, '应收票据', '3', 'ZC03', '期末余额("1121")', '年初余额("1121")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (6, 1, 6, '应收账款', '4', 'ZC04', '期末余额("1122")-期末余额("1231")', '年初余额("1122")-年初余额("1231")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (7, 1, 7, '预付款项', '5', 'ZC05', '期末余额("1123")', '年初余额("1123")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (8, 1, 8, '其他应收款', '6', 'ZC06', '期末余额("1221")+期末余额("1131")+期末余额("1132")', '年初余额("1221")+年初余额("1131")+年初余额("1132")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (9, 1, 9, '存货', '7', 'ZC07', '期末余额("1401")+期末余额("1402")+期末余额("1403")+期末余额("1404")+期末余额("1405")+期末余额("1406")+期末余额("1411")-期末余额("1471")+期末余额("5001")+期末余额("5101")', '年初余额("1401")+年初余额("1402")+年初余额("1403")+年初余额("1404")+年初余额("1405")+年初余额("1406")+年初余额("1411")-年初余额("1471")+年初余额("5001")+年初余额("5101")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (10, 1, 10, '流动资产合计', '8', 'ZC08', 'SUM(ZC01:ZC07)', 'SUM(ZC01:ZC07)', 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (11, 1, 11, '非流动资产：', NULL, NULL, NULL, NULL, 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (12, 1, 12, '长期股权投资', '9', 'ZC09', '期末余额("1511")', '年初余额("1511")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (13, 1, 13, '固定资产', '10', 'ZC10', '期末余额("1601")-期末余额("1602")-期末余额("1603")+期末余额("1606")', '年初余额("1601")-年初余额("1602")-年初余额("1603")+年初余额("1606")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (14, 1, 14, '在建工程', '11', 'ZC11', '期末余额("1604")', '年初余额("1604")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (15, 1, 15, '无形资产', '12', 'ZC12', '期末余额("1701")-期末余额("1702")', '年初余额("1701")-年初余额("1702")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (16, 1, 16, '长期待摊费用', '13', 'ZC13', '期末余额("1801")', '年初余额("1801")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (17, 1, 17, '递延所得税资产', '14', 'ZC14', '期末余额("1811")', '年初余额("1811")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (18, 1, 18, '非流动资产合计', '15', 'ZC15', 'SUM(ZC09:ZC14)', 'SUM(ZC09:ZC14)', 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (19, 1, 19, '资产总计', '16', 'ZC16', 'ZC08+ZC15', 'ZC08+ZC15', 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (20, 1, 20, '负债和所有者权益', NULL, NULL, NULL, NULL, 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (21, 1, 21, '流动负债：', NULL, NULL, NULL, NULL, 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (22, 1, 22, '短期借款', '17', 'FZ01', '期末余额("2001")', '年初余额("2001")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (23, 1, 23, '应付票据', '18', 'FZ02', '期末余额("2201")', '年初余额("2201")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (24, 1, 24, '应付账款', '19', 'FZ03', '期末余额("2202")', '年初余额("2202")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (25, 1, 25, '预收款项', '20', 'FZ04', '期末余额("2203")', '年初余额("2203")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (26, 1, 26, '应付职工薪酬', '21', 'FZ05', '期末余额("2211")', '年初余额("2211")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (27, 1, 27, '应交税费', '22', 'FZ06', '期末余额("2221")', '年初余额("2221")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (28, 1, 28, '其他应付款', '23', 'FZ07', '期末余额("2241")+期末余额("2231")+期末余额("2232")', '年初余额("2241")+年初余额("2231")+年初余额("2232")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (29, 1, 29, '流动负债合计', '24', 'FZ08', 'SUM(FZ01:FZ07)', 'SUM(FZ01:FZ07)', 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (30, 1, 30, '非流动负债：', NULL, NULL, NULL, NULL, 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (31, 1, 31, '长期借款', '25', 'FZ09', '期末余额("2501")', '年初余额("2501")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (32, 1, 32, '长期应付款', '26', 'FZ10', '期末余额("2701")', '年初余额("2701")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (33, 1, 33, '预计负债', '27', 'FZ11', '期末余额("2801")', '年初余额("2801")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (34, 1, 34, '递延所得税负债', '28', 'FZ12', '期末余额("2901")', '年初余额("2901")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (35, 1, 35, '非流动负债合计', '29', 'FZ13', 'SUM(FZ09:FZ12)', 'SUM(FZ09:FZ12)', 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (36, 1, 36, '负债合计', '30', 'FZ14', 'FZ08+FZ13', 'FZ08+FZ13', 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (37, 1, 37, '所有者权益：', NULL, NULL, NULL, NULL, 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (38, 1, 38, '实收资本（或股本）', '31', 'QY01', '期末余额("4001")', '年初余额("4001")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (39, 1, 39, '资本公积', '32', 'QY02', '期末余额("4002")', '年初余额("4002")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (40, 1, 40, '盈余公积', '33', 'QY03', '期末余额("4101")', '年初余额("4101")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (41, 1, 41, '未分配利润', '34', 'QY04', '期末余额("4103")+期末余额("4104")', '年初余额("4103")+年初余额("4104")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (42, 1, 42, '所有者权益合计', '35', 'QY05', 'SUM(QY01:QY04)', 'SUM(QY01:QY04)', 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (43, 1, 43, '负债和所有者权益总计', '36', 'QY06', 'FZ14+QY05', 'FZ14+QY05', 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (44, 2, 1, '一、营业收入', '1', 'LR01', '本期发生额("6001")+本期发生额("6051")', '本年累计发生额("6001")+本年累计发生额("6051")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (45, 2, 2, '减：营业成本', '2', 'LR02', '本期发生额("6401")+本期发生额("6402")', '本年累计发生额("6401")+本年累计发生额("6402")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (46, 2, 3, '税金及附加', '3', 'LR03', '本期发生额("6403")', '本年累计发生额("6403")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (47, 2, 4, '销售费用', '4', 'LR04', '本期发生额("6601")', '本年累计发生额("6601")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (48, 2, 5, '管理费用', '5', 'LR05', '本期发生额("6602")', '本年累计发生额("6602")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (49, 2, 6, '财务费用', '6', 'LR06', '本期发生额("6603")', '本年累计发生额("6603")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (50, 2, 7, '资产减值损失', '7', 'LR07', '本期发生额("6701")', '本年累计发生额("6701")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (51, 2, 8, '加：投资收益', '8', 'LR08', '本期发生额("6111")', '本年累计发生额("6111")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (52, 2, 9, '二、营业利润', '9', 'LR09', 'LR01-LR02-LR03-LR04-LR05-LR06-LR07+LR08', 'LR01-LR02-LR03-LR04-LR05-LR06-LR07+LR08', 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (53, 2, 10, '加：营业外收入', '10', 'LR10', '本期发生额("6301")', '本年累计发生额("6301")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (54, 2, 11, '减：营业外支出', '11', 'LR11', '本期发生额("6711")', '本年累计发生额("6711")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (55, 2, 12, '三、利润总额', '12', 'LR12', 'LR09+LR10-LR11', 'LR09+LR10-LR11', 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (56, 2, 13, '减：所得税费用', '13', 'LR13', '本期发生额("6801")', '本年累计发生额("6801")', 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (57, 2, 14, '四、净利润', '14', 'LR14', 'LR12-LR13', 'LR12-LR13', 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (58, 3, 1, '一、经营活动产生的现金流量：', '1', NULL, NULL, NULL, 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (59, 3, 2, '销售商品、提供劳务收到的现金', '2', 'XJ01', '现金流量("0101")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (60, 3, 3, '收到的税费返还', '3', 'XJ02', '现金流量("0102")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (61, 3, 4, '收到其他与经营活动有关的现金', '4', 'XJ03', '现金流量("0103")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (62, 3, 5, '购买商品、接受劳务支付的现金', '5', 'XJ04', '现金流量("0104")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (63, 3, 6, '支付给职工以及为职工支付的现金', '6', 'XJ05', '现金流量("0105")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (64, 3, 7, '支付的各项税费', '7', 'XJ06', '现金流量("0106")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (65, 3, 8, '支付其他与经营活动有关的现金', '8', 'XJ07', '现金流量("0107")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (66, 3, 9, '二、投资活动产生的现金流量：', '9', NULL, NULL, NULL, 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (67, 3, 10, '收回投资收到的现金', '10', 'XT01', '现金流量("0201")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (68, 3, 11, '取得投资收益收到的现金', '11', 'XT02', '现金流量("0202")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (69, 3, 12, '处置固定资产、无形资产和其他长期资产收回的现金净额', '12', 'XT03', '现金流量("0203")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (70, 3, 13, '处置子公司及其他营业单位收到的现金净额', '13', 'XT04', '现金流量("0204")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (71, 3, 14, '收到其他与投资活动有关的现金', '14', 'XT05', '现金流量("0205")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (72, 3, 15, '购建固定资产、无形资产和其他长期资产支付的现金', '15', 'XT06', '现金流量("0206")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (73, 3, 16, '投资支付的现金', '16', 'XT07', '现金流量("0207")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (74, 3, 17, '取得子公司及其他营业单位支付的现金净额', '17', 'XT08', '现金流量("0208")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (75, 3, 18, '支付其他与投资活动有关的现金', '18', 'XT09', '现金流量("0209")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (76, 3, 19, '三、筹资活动产生的现金流量：', '19', NULL, NULL, NULL, 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (77, 3, 20, '吸收投资收到的现金', '20', 'XC01', '现金流量("0301")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (78, 3, 21, '取得借款收到的现金', '21', 'XC02', '现金流量("0302")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (79, 3, 22, '收到其他与筹资活动有关的现金', '22', 'XC03', '现金流量("0303")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (80, 3, 23, '偿还债务支付的现金', '23', 'XC04', '现金流量("0304")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (81, 3, 24, '分配股利、利润或偿付利息支付的现金', '24', 'XC05', '现金流量("0305")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (82, 3, 25, '支付其他与筹资活动有关的现金', '25', 'XC06', '现金流量("0306")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (83, 3, 26, '四、汇率变动对现金及现金等价物的影响', '26', 'XH01', '现金流量("04")', NULL, 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (84, 3, 27, '五、现金及现金等价物净增加额', '27', 'XH02', 'SUM(XJ01:XH01)', NULL, 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (85, 3, 28, '附注说明', '28', '附注说明', NULL, NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (86, 4, 1, '费用明细表', '1', NULL, NULL, NULL, 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (87, 4, 2, '销售人员工资', '2', 'FY001', '本期发生额("660101")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (88, 4, 3, '广告费', '3', 'FY002', '本期发生额("660102")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (89, 4, 4, '差旅费', '4', 'FY003', '本期发生额("660103")+本期发生额("660203")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (90, 4, 5, '管理人员工资', '5', 'FY004', '本期发生额("660201")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (91, 4, 6, '办公费', '6', 'FY005', '本期发生额("660202")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (92, 4, 7, '水电费', '7', 'FY006', '本期发生额("660206")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (93, 4, 8, '折旧费', '8', 'FY007', '本期发生额("660104")+本期发生额("660205")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (94, 4, 9, '银行手续费', '9', 'FY008', '本期发生额("660302")', NULL, 0);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (95, 4, 10, '费用合计', '10', 'FY009', 'SUM(FY001:FY008)', NULL, 1);
INSERT INTO kxStatement ([StmID], [ReportID], [RowNo], [ItemName], [LineNum], [AssistCode], [EndFormula], [BeginFormula], [IsBold]) VALUES (96, 4, 11, '自定义附表一', '11', '自定义附表一', NULL, NULL, 0);

-- kxDocDir
INSERT INTO kxDocDir ([DocID], [DocYear], [DocPeriod], [DocType], [DocNo], [DocDate], [AttachCount], [Maker], [Checker], [Poster], [IsChecked], [IsPosted]) VALUES (1, 2026, 1, '记', 1, '2026-01-04 00:00:00', 1, '会计', '主管', '主管', 1, 1);
INSERT INTO kxDocDir ([DocID], [DocYear], [DocPeriod], [DocType], [DocNo], [DocDate], [AttachCount], [Maker], [Checker], [Poster], [IsChecked], [IsPosted]) VALUES (2, 2026, 1, '记', 2, '2026-01-05 00:00:00', 1, '会计', '主管', '主管', 1, 1);
INSERT INTO kxDocDir ([DocID], [DocYear], [DocPeriod], [DocType], [DocNo], [DocDate], [AttachCount], [Maker], [Checker], [Poster], [IsChecked], [IsPosted]) VALUES (3, 2026, 1, '记', 3, '2026-01-06 00:00:00', 3, '会计', '主管', '主管', 1, 1);
INSERT INTO kxDocDir ([DocID], [DocYear], [DocPeriod], [DocType], [DocNo], [DocDate], [AttachCount], [Maker], [Checker], [Poster], [IsChecked], [IsPosted]) VALUES (4, 2026, 1, '记', 4, '2026-01-08 00:00:00', 5, '会计', '主管', '主管', 1, 1);
INSERT INTO kxDocDir ([DocID], [DocYear], [DocPeriod], [DocType], [DocNo], [DocDate], [AttachCount], [Maker], [Checker], [Poster], [IsChecked], [IsPosted]) VALUES (5, 2026, 1, '记', 5, '2026-01-10 00:00:00', 2, '会计', '主管', '主管', 1, 1);
INSERT INTO kxDocDir ([DocID], [DocYear], [DocPeriod], [DocType], [DocNo], [DocDate], [AttachCount], [Maker], [Checker], [Poster], [IsChecked], [IsPosted]) VALUES (6, 2026, 1, '记', 6, '2026-01-12 00:00:00', 1, '会计', '主管', '主管', 1, 1);
INSERT INTO kxDocDir ([DocID], [DocYear], [DocPeriod], [DocType], [DocNo], [DocDate], [AttachCount], [Maker], [Checker], [Poster], [IsChecked], [IsPosted]) VALUES (7, 2026, 1, '记', 7, '2026-01-15 00:00:00', 1, '会计', '主管', '主管', 1, 1);
INSERT INTO kxDocDir ([DocID], [DocYear], [DocPeriod], [DocType], [DocNo], [DocDate], [AttachCount], [Maker], [Checker], [Poster], [IsChecked], [IsPosted]) VALUES (8, 2026, 1, '记', 8, '2026-01-15 00:00:00', 1, '会计', '主管', '主管', 1, 1);
INSERT INTO kxDocDir ([DocID], [DocYear], [DocPeriod], [DocType], [DocNo], [DocDate], [AttachCount], [Maker], [Checker], [Poster], [IsChecked], [IsPosted]) VALUES (9, 2026, 1, '记', 9, '2026-01-18 00:00:00', 2, '会计', '主管', '主管', 1, 1);
INSERT INTO kxDocDir ([DocID], [DocYear], [DocPeriod], [DocType], [DocNo], [DocDate], [AttachCount], [Maker], [Checker], [Poster], [IsChecked], [IsPosted]) VALUES (10, 2026, 1, '记', 10, '2026-01-20 00:00:00', 1, '会计', '主管', '主管', 1, 1);
INSERT INTO kxDocDir ([DocID], [DocYear], [DocPeriod], [DocType], [DocNo], [DocDate], [AttachCount], [Maker], [Checker], [Poster], [IsChecked], [IsPosted]) VALUES (11, 2026, 1, '记', 11, '2026-01-25 00:00:00', 2, '会计', '主管', '主管', 1, 1);
INSERT INTO kxDocDir ([DocID], [DocYear], [DocPeriod], [DocType], [DocNo], [DocDate], [AttachCount], [Maker], [Checker], [Poster], [IsChecked], [IsPosted]) VALUES (12, 2026, 1, '记', 12, '2026-01-28 00:00:00', 1, '会计', '主管', '主管', 1, 1);
INSERT INTO kxDocDir ([DocID], [DocYear], [DocPeriod], [DocType], [DocNo], [DocDate], [AttachCount], [Maker], [Checker], [Poster], [IsChecked], [IsPosted]) VALUES (13, 2026, 1, '记', 13, '2026-01-31 00:00:00', 1, '会计', '主管', NULL, 1, 0);
INSERT INTO kxDocDir ([DocID], [DocYear], [DocPeriod], [DocType], [DocNo], [DocDate], [AttachCount], [Maker], [Checker], [Poster], [IsChecked], [IsPosted]) VALUES (14, 2026, 1, '记', 14, '2026-01-31 00:00:00', 1, '会计', '主管', NULL, 1, 0);
INSERT INTO kxDocDir ([DocID], [DocYear], [DocPeriod], [DocType], [DocNo], [DocDate], [AttachCount], [Maker], [Checker], [Poster], [IsChecked], [IsPosted]) VALUES (15, 2026, 1, '记', 15, '2026-01-31 00:00:00', 1, '会计', '主管', NULL, 1, 0);

-- kxDocRecs
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (1, 1, 1, '提现', '1001', 5000.00, 0.00, NULL, NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (2, 1, 2, '提现', '100201', 0.00, 5000.00, NULL, NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (3, 2, 1, '收到北京华盛货款', '100201', 113000.00, 0.00, NULL, NULL, '0101', NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (4, 2, 2, '收到北京华盛货款', '1122', 0.00, 113000.00, NULL, 'C001', NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (5, 3, 1, '采购原材料', '1403', 80000.00, 0.00, NULL, NULL, NULL, 2000.0, 40.0);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (6, 3, 2, '采购原材料', '22210101', 10400.00, 0.00, NULL, NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (7, 3, 3, '采购原材料', '2202', 0.00, 90400.00, NULL, 'S001', NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (8, 4, 1, '陈𠮷明报销差旅费', '660103', 2360.00, 0.00, '03', NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (9, 4, 2, '陈𠮷明报销差旅费', '122101', 0.00, 2000.00, '03', NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (10, 4, 3, '陈𠮷明报销差旅费', '1001', 0.00, 360.00, NULL, NULL, '0107', NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (11, 5, 1, '销售商品', '1122', 226000.00, 0.00, NULL, 'C002', NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (12, 5, 2, '销售商品', '6001', 0.00, 200000.00, NULL, NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (13, 5, 3, '销售商品', '22210102', 0.00, 26000.00, NULL, NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (14, 6, 1, '支付货款', '2202', 156400.00, 0.00, NULL, 'S001', NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (15, 6, 2, '支付货款', '100201', 0.00, 156400.00, NULL, NULL, '0104', NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (16, 7, 1, '缴纳上月增值税', '222102', 48600.00, 0.00, NULL, NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (17, 7, 2, '缴纳上月增值税', '100201', 0.00, 48600.00, NULL, NULL, '0106', NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (18, 8, 1, '发放上月工资', '221101', 110000.00, 0.00, NULL, NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (19, 8, 2, '发放上月工资', '100201', 0.00, 94311.63, NULL, NULL, '0105', NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (20, 8, 3, '代扣个人社保及公积金', '2241', 0.00, 12302.50, NULL, NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (21, 8, 4, '代扣个人所得税', '222104', 0.00, 3385.87, NULL, NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (22, 9, 1, '购买办公用品', '660202', 1850.00, 0.00, '01', NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (23, 9, 2, '购买办公用品', '1001', 0.00, 1850.00, NULL, NULL, '0107', NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (24, 10, 1, '银行手续费', '660302', 45.00, 0.00, NULL, NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (25, 10, 2, '银行手续费', '100201', 0.00, 45.00, NULL, NULL, '0107', NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (26, 11, 1, '支付水电费', '660206', 6320.50, 0.00, '01', NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (27, 11, 2, '支付水电费', '100201', 0.00, 6320.50, NULL, NULL, '0107', NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (28, 12, 1, '收到O''Neill货款', '100202', 60000.00, 0.00, NULL, NULL, '0101', NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (29, 12, 2, '收到O''Neill货款', '1122', 0.00, 60000.00, NULL, 'C003', NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (30, 13, 1, '计提本月工资', '660101', 17900.00, 0.00, '03', NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (31, 13, 2, '计提本月工资', '660201', 50700.00, 0.00, '01', NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (32, 13, 3, '计提本月工资', '500102', 19600.00, 0.00, NULL, NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (33, 13, 4, '计提本月工资', '221101', 0.00, 88200.00, NULL, NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (34, 14, 1, '计提折旧', '660205', 8156.81, 0.00, '01', NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (35, 14, 2, '计提折旧', '660104', 2533.33, 0.00, '03', NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (36, 14, 3, '计提折旧', '5101', 5035.00, 0.00, NULL, NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (37, 14, 4, '计提折旧', '1602', 0.00, 15725.14, NULL, NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (38, 15, 1, '结转销售成本', '6401', 128500.00, 0.00, NULL, NULL, NULL, NULL, NULL);
INSERT INTO kxDocRecs ([RecID], [DocID], [RowNo], [Summary], [AccCode], [Debit], [Credit], [BranchCode], [ItemCode], [FlowCode], [Qty], [Price]) VALUES (39, 15, 2, '结转销售成本', '1405', 0.00, 128500.00, NULL, NULL, NULL, 700.0, 183.571428571429);

-- kxBranchInit
INSERT INTO kxBranchInit ([InitID], [AccCode], [BranchCode], [InitBalance]) VALUES (1, '122101', '01', 2000.00);
INSERT INTO kxBranchInit ([InitID], [AccCode], [BranchCode], [InitBalance]) VALUES (2, '122101', '03', 4000.00);

-- kxItemInit
INSERT INTO kxItemInit ([InitID], [AccCode], [ItemCode], [InitBalance]) VALUES (1, '1122', 'C001', 125000.00);
INSERT INTO kxItemInit ([InitID], [AccCode], [ItemCode], [InitBalance]) VALUES (2, '1122', 'C002', 180000.00);
INSERT INTO kxItemInit ([InitID], [AccCode], [ItemCode], [InitBalance]) VALUES (3, '1122', 'C003', 60000.00);
INSERT INTO kxItemInit ([InitID], [AccCode], [ItemCode], [InitBalance]) VALUES (4, '1123', 'S004', 30000.00);
INSERT INTO kxItemInit ([InitID], [AccCode], [ItemCode], [InitBalance]) VALUES (5, '2202', 'S001', 156400.00);
INSERT INTO kxItemInit ([InitID], [AccCode], [ItemCode], [InitBalance]) VALUES (6, '2202', 'S002', 100000.00);
INSERT INTO kxItemInit ([InitID], [AccCode], [ItemCode], [InitBalance]) VALUES (7, '2202', 'S003', 30000.00);

-- kxFlowInit
INSERT INTO kxFlowInit ([InitID], [FlowCode], [InitAmount]) VALUES (1, '0101', 0.00);
INSERT INTO kxFlowInit ([InitID], [FlowCode], [InitAmount]) VALUES (2, '0104', 0.00);
INSERT INTO kxFlowInit ([InitID], [FlowCode], [InitAmount]) VALUES (3, '0105', 0.00);
INSERT INTO kxFlowInit ([InitID], [FlowCode], [InitAmount]) VALUES (4, '0106', 0.00);

-- kxJournal
INSERT INTO kxJournal ([JnlID], [AccCode], [JnlName], [BankName], [BankAccount], [InitBalance], [IsBank]) VALUES (1, '1001', '现金日记账', NULL, NULL, 8500.00, 0);
INSERT INTO kxJournal ([JnlID], [AccCode], [JnlName], [BankName], [BankAccount], [InitBalance], [IsBank]) VALUES (2, '100201', '工商银行基本户日记账', '中国工商银行北京海淀支行', '0200 0045 0920 0001 234', 1256300.00, 1);
INSERT INTO kxJournal ([JnlID], [AccCode], [JnlName], [BankName], [BankAccount], [InitBalance], [IsBank]) VALUES (3, '100202', '建设银行一般户日记账', '中国建设银行北京中关村支行', '1105 0161 3600 0000 0567', 180000.00, 1);

-- kxJournalRecs
INSERT INTO kxJournalRecs ([RecID], [JnlID], [RecDate], [Summary], [SettleKind], [SettleNo], [Debit], [Credit], [DocID]) VALUES (1, 1, '2026-01-04 00:00:00', '提现', '现金', NULL, 5000.00, 0.00, 1);
INSERT INTO kxJournalRecs ([RecID], [JnlID], [RecDate], [Summary], [SettleKind], [SettleNo], [Debit], [Credit], [DocID]) VALUES (2, 2, '2026-01-04 00:00:00', '提现', '现金支票', '10230002', 0.00, 5000.00, 1);
INSERT INTO kxJournalRecs ([RecID], [JnlID], [RecDate], [Summary], [SettleKind], [SettleNo], [Debit], [Credit], [DocID]) VALUES (3, 2, '2026-01-05 00:00:00', '收到北京华盛货款', '转账', '10230003', 113000.00, 0.00, 2);
INSERT INTO kxJournalRecs ([RecID], [JnlID], [RecDate], [Summary], [SettleKind], [SettleNo], [Debit], [Credit], [DocID]) VALUES (4, 1, '2026-01-08 00:00:00', '陈𠮷明报销差旅费', '现金', NULL, 0.00, 360.00, 4);
INSERT INTO kxJournalRecs ([RecID], [JnlID], [RecDate], [Summary], [SettleKind], [SettleNo], [Debit], [Credit], [DocID]) VALUES (5, 2, '2026-01-12 00:00:00', '支付货款', '转账', '10230005', 0.00, 156400.00, 6);
INSERT INTO kxJournalRecs ([RecID], [JnlID], [RecDate], [Summary], [SettleKind], [SettleNo], [Debit], [Credit], [DocID]) VALUES (6, 2, '2026-01-15 00:00:00', '缴纳上月增值税', '转账', '10230006', 0.00, 48600.00, 7);
INSERT INTO kxJournalRecs ([RecID], [JnlID], [RecDate], [Summary], [SettleKind], [SettleNo], [Debit], [Credit], [DocID]) VALUES (7, 2, '2026-01-15 00:00:00', '发放上月工资', '转账', '10230007', 0.00, 94311.63, 8);
INSERT INTO kxJournalRecs ([RecID], [JnlID], [RecDate], [Summary], [SettleKind], [SettleNo], [Debit], [Credit], [DocID]) VALUES (8, 1, '2026-01-18 00:00:00', '购买办公用品', '现金', NULL, 0.00, 1850.00, 9);
INSERT INTO kxJournalRecs ([RecID], [JnlID], [RecDate], [Summary], [SettleKind], [SettleNo], [Debit], [Credit], [DocID]) VALUES (9, 2, '2026-01-20 00:00:00', '银行手续费', '转账', '10230009', 0.00, 45.00, 10);
INSERT INTO kxJournalRecs ([RecID], [JnlID], [RecDate], [Summary], [SettleKind], [SettleNo], [Debit], [Credit], [DocID]) VALUES (10, 2, '2026-01-25 00:00:00', '支付水电费', '转账', '10230010', 0.00, 6320.50, 11);
INSERT INTO kxJournalRecs ([RecID], [JnlID], [RecDate], [Summary], [SettleKind], [SettleNo], [Debit], [Credit], [DocID]) VALUES (11, 3, '2026-01-28 00:00:00', '收到O''Neill货款', '转账', '10230011', 60000.00, 0.00, 12);

-- kxLog
INSERT INTO kxLog ([LogID], [LogTime], [opName], [LogAction], [LogDetail], [Workstation]) VALUES (1, '2026-01-04 08:52:10', '主管', '登录系统', '登录账簿 样本账簿', 'FIN-PC01');
INSERT INTO kxLog ([LogID], [LogTime], [opName], [LogAction], [LogDetail], [Workstation]) VALUES (2, '2026-01-04 09:15:32', '会计', '新增凭证', '记-0001 提现 5000.00', 'FIN-PC02');
INSERT INTO kxLog ([LogID], [LogTime], [opName], [LogAction], [LogDetail], [Workstation]) VALUES (3, '2026-01-12 10:03:47', '出纳', '登录系统', '登录账簿 样本账簿', 'FIN-PC03');
INSERT INTO kxLog ([LogID], [LogTime], [opName], [LogAction], [LogDetail], [Workstation]) VALUES (4, '2026-01-28 16:40:05', '主管', '审核凭证', '审核 记-0001 至 记-0012', 'FIN-PC01');
INSERT INTO kxLog ([LogID], [LogTime], [opName], [LogAction], [LogDetail], [Workstation]) VALUES (5, '2026-01-28 16:42:19', '主管', '凭证记账', '记账 记-0001 至 记-0012', 'FIN-PC01');
INSERT INTO kxLog ([LogID], [LogTime], [opName], [LogAction], [LogDetail], [Workstation]) VALUES (6, '2026-01-31 17:20:44', '会计', '新增凭证', '记-0013 至 记-0015 期末计提和结转', 'FIN-PC02');

-- kxAccData
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (1, '1001', 2026, 1, 8500.00, 5000.00, 2210.00, 11290.00, 5000.00, 2210.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (2, '100201', 2026, 1, 1256300.00, 113000.00, 310677.13, 1058622.87, 113000.00, 310677.13);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (3, '100202', 2026, 1, 180000.00, 60000.00, 0.00, 240000.00, 60000.00, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (4, '1122', 2026, 1, 365000.00, 226000.00, 173000.00, 418000.00, 226000.00, 173000.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (5, '1123', 2026, 1, 30000.00, 0.00, 0.00, 30000.00, 0.00, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (6, '122101', 2026, 1, 6000.00, 0.00, 2000.00, 4000.00, 0.00, 2000.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (7, '122102', 2026, 1, 10000.00, 0.00, 0.00, 10000.00, 0.00, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (8, '1403', 2026, 1, 212400.00, 80000.00, 0.00, 292400.00, 80000.00, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (9, '1405', 2026, 1, 438600.00, 0.00, 0.00, 438600.00, 0.00, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (10, '1601', 2026, 1, 2812700.00, 0.00, 0.00, 2812700.00, 0.00, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (11, '1602', 2026, 1, 1175458.84, 0.00, 0.00, 1175458.84, 0.00, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (12, '1701', 2026, 1, 120000.00, 0.00, 0.00, 120000.00, 0.00, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (13, '1702', 2026, 1, 30000.00, 0.00, 0.00, 30000.00, 0.00, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (14, '2001', 2026, 1, 500000.00, 0.00, 0.00, 500000.00, 0.00, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (15, '2202', 2026, 1, 286400.00, 156400.00, 90400.00, 220400.00, 156400.00, 90400.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (16, '221101', 2026, 1, 110000.00, 110000.00, 0.00, 0.00, 110000.00, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (17, '22210101', 2026, 1, 0.00, 10400.00, 0.00, -10400.00, 10400.00, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (18, '22210102', 2026, 1, 0.00, 0.00, 26000.00, 26000.00, 0.00, 26000.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (19, '222102', 2026, 1, 48600.00, 48600.00, 0.00, 0.00, 48600.00, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (20, '222103', 2026, 1, 36250.00, 0.00, 0.00, 36250.00, 0.00, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (21, '222104', 2026, 1, 0.00, 0.00, 3385.87, 3385.87, 0.00, 3385.87);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (22, '2241', 2026, 1, 12000.00, 0.00, 12302.50, 24302.50, 0.00, 12302.50);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (23, '4001', 2026, 1, 2500000.00, 0.00, 0.00, 2500000.00, 0.00, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (24, '4002', 2026, 1, 200000.00, 0.00, 0.00, 200000.00, 0.00, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (25, '410101', 2026, 1, 150000.00, 0.00, 0.00, 150000.00, 0.00, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (26, '410403', 2026, 1, 390791.16, 0.00, 0.00, 390791.16, 0.00, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (27, '6001', 2026, 1, 0.00, 0.00, 200000.00, 200000.00, 0.00, 200000.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (28, '660103', 2026, 1, 0.00, 2360.00, 0.00, 2360.00, 2360.00, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (29, '660202', 2026, 1, 0.00, 1850.00, 0.00, 1850.00, 1850.00, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (30, '660206', 2026, 1, 0.00, 6320.50, 0.00, 6320.50, 6320.50, 0.00);
INSERT INTO kxAccData ([DataID], [AccCode], [AccYear], [AccPeriod], [BeginBalance], [PeriodDebit], [PeriodCredit], [EndBalance], [YearDebit], [YearCredit]) VALUES (31, '660302', 2026, 1, 0.00, 45.00, 0.00, 45.00, 45.00, 0.00);

-- kxStaff
INSERT INTO kxStaff ([StaffID], [StaffCode], [StaffName], [Sex], [BranchCode], [Duty], [BaseWage], [PostWage], [EntryDate], [IsActive]) VALUES (1, 'S001', '王建国', '男', '02', '财务经理', 12000.00, 3000.00, '2015-03-01 00:00:00', 1);
INSERT INTO kxStaff ([StaffID], [StaffCode], [StaffName], [Sex], [BranchCode], [Duty], [BaseWage], [PostWage], [EntryDate], [IsActive]) VALUES (2, 'S002', '李秀英', '女', '02', '出纳', 5500.00, 1000.00, '2019-07-15 00:00:00', 1);
INSERT INTO kxStaff ([StaffID], [StaffCode], [StaffName], [Sex], [BranchCode], [Duty], [BaseWage], [PostWage], [EntryDate], [IsActive]) VALUES (3, 'S003', '张丽', '女', '02', '总账会计', 6500.00, 1500.00, '2018-04-09 00:00:00', 1);
INSERT INTO kxStaff ([StaffID], [StaffCode], [StaffName], [Sex], [BranchCode], [Duty], [BaseWage], [PostWage], [EntryDate], [IsActive]) VALUES (4, 'S004', '陈𠮷明', '男', '03', '销售经理', 9000.00, 2500.00, '2017-10-08 00:00:00', 1);
INSERT INTO kxStaff ([StaffID], [StaffCode], [StaffName], [Sex], [BranchCode], [Duty], [BaseWage], [PostWage], [EntryDate], [IsActive]) VALUES (5, 'S005', '刘洋', '男', '03', '销售代表', 5000.00, 800.00, '2022-02-21 00:00:00', 1);
INSERT INTO kxStaff ([StaffID], [StaffCode], [StaffName], [Sex], [BranchCode], [Duty], [BaseWage], [PostWage], [EntryDate], [IsActive]) VALUES (6, 'S006', '赵敏', '女', '01', '行政主管', 6800.00, 1200.00, '2016-06-01 00:00:00', 1);
INSERT INTO kxStaff ([StaffID], [StaffCode], [StaffName], [Sex], [BranchCode], [Duty], [BaseWage], [PostWage], [EntryDate], [IsActive]) VALUES (7, 'S007', '孙志强', '男', '04', '生产经理', 8500.00, 2000.00, '2015-09-01 00:00:00', 1);
INSERT INTO kxStaff ([StaffID], [StaffCode], [StaffName], [Sex], [BranchCode], [Duty], [BaseWage], [PostWage], [EntryDate], [IsActive]) VALUES (8, 'S008', '周杰', '男', '0401', '车间主任', 7000.00, 1500.00, '2018-11-05 00:00:00', 1);
INSERT INTO kxStaff ([StaffID], [StaffCode], [StaffName], [Sex], [BranchCode], [Duty], [BaseWage], [PostWage], [EntryDate], [IsActive]) VALUES (9, 'S009', '吴芳', '女', '05', '采购员', 5200.00, 800.00, '2021-05-17 00:00:00', 1);
INSERT INTO kxStaff ([StaffID], [StaffCode], [StaffName], [Sex], [BranchCode], [Duty], [BaseWage], [PostWage], [EntryDate], [IsActive]) VALUES (10, 'S010', '郑海涛', '男', '06', '仓库管理员', 4800.00, 600.00, '2020-08-03 00:00:00', 1);

-- kxWages
INSERT INTO kxWages ([WageID], [WageYear], [WagePeriod], [WageName], [MakeDate], [Maker], [TotalGross], [TotalNet], [IsPaid]) VALUES (1, 2025, 12, '2025年12月工资', '2025-12-28 00:00:00', '会计', 110000.00, 94311.63, 1);
INSERT INTO kxWages ([WageID], [WageYear], [WagePeriod], [WageName], [MakeDate], [Maker], [TotalGross], [TotalNet], [IsPaid]) VALUES (2, 2026, 1, '2026年01月工资', '2026-01-28 00:00:00', '会计', 88200.00, 74504.75, 0);

-- kxWagesRecs
INSERT INTO kxWagesRecs ([RecID], [WageID], [StaffID], [BaseWage], [PostWage], [Bonus], [Allowance], [SocialIns], [HousingFund], [IncomeTax], [NetPay]) VALUES (1, 1, 1, 12000.00, 3000.00, 6000.00, 300.00, 1260.00, 840.00, 1430.00, 17770.00);
INSERT INTO kxWagesRecs ([RecID], [WageID], [StaffID], [BaseWage], [PostWage], [Bonus], [Allowance], [SocialIns], [HousingFund], [IncomeTax], [NetPay]) VALUES (2, 1, 2, 5500.00, 1000.00, 1000.00, 300.00, 577.50, 385.00, 55.12, 6782.38);
INSERT INTO kxWagesRecs ([RecID], [WageID], [StaffID], [BaseWage], [PostWage], [Bonus], [Allowance], [SocialIns], [HousingFund], [IncomeTax], [NetPay]) VALUES (3, 1, 3, 6500.00, 1500.00, 1500.00, 300.00, 682.50, 455.00, 156.25, 8506.25);
INSERT INTO kxWagesRecs ([RecID], [WageID], [StaffID], [BaseWage], [PostWage], [Bonus], [Allowance], [SocialIns], [HousingFund], [IncomeTax], [NetPay]) VALUES (4, 1, 4, 9000.00, 2500.00, 5000.00, 300.00, 945.00, 630.00, 812.50, 14412.50);
INSERT INTO kxWagesRecs ([RecID], [WageID], [StaffID], [BaseWage], [PostWage], [Bonus], [Allowance], [SocialIns], [HousingFund], [IncomeTax], [NetPay]) VALUES (5, 1, 5, 5000.00, 800.00, 1200.00, 300.00, 525.00, 350.00, 42.75, 6382.25);
INSERT INTO kxWagesRecs ([RecID], [WageID], [StaffID], [BaseWage], [PostWage], [Bonus], [Allowance], [SocialIns], [HousingFund], [IncomeTax], [NetPay]) VALUES (6, 1, 6, 6800.00, 1200.00, 1200.00, 300.00, 714.00, 476.00, 121.00, 8189.00);
INSERT INTO kxWagesRecs ([RecID], [WageID], [StaffID], [BaseWage], [PostWage], [Bonus], [Allowance], [SocialIns], [HousingFund], [IncomeTax], [NetPay]) VALUES (7, 1, 7, 8500.00, 2000.00, 3000.00, 300.00, 892.50, 595.00, 521.25, 11791.25);
INSERT INTO kxWagesRecs ([RecID], [WageID], [StaffID], [BaseWage], [PostWage], [Bonus], [Allowance], [SocialIns], [HousingFund], [IncomeTax], [NetPay]) VALUES (8, 1, 8, 7000.00, 1500.00, 1500.00, 300.00, 735.00, 490.00, 197.50, 8877.50);
INSERT INTO kxWagesRecs ([RecID], [WageID], [StaffID], [BaseWage], [PostWage], [Bonus], [Allowance], [SocialIns], [HousingFund], [IncomeTax], [NetPay]) VALUES (9, 1, 9, 5200.00, 800.00, 800.00, 300.00, 546.00, 364.00, 35.70, 6154.30);
INSERT INTO kxWagesRecs ([RecID], [WageID], [StaffID], [BaseWage], [PostWage], [Bonus], [Allowance], [SocialIns], [HousingFund], [IncomeTax], [NetPay]) VALUES (10, 1, 10, 4800.00, 600.00, 600.00, 300.00, 504.00, 336.00, 13.80, 5446.20);
INSERT INTO kxWagesRecs ([RecID], [WageID], [StaffID], [BaseWage], [PostWage], [Bonus], [Allowance], [SocialIns], [HousingFund], [IncomeTax], [NetPay]) VALUES (11, 2, 1, 12000.00, 3000.00, 0.00, 300.00, 1260.00, 840.00, 610.00, 12590.00);
INSERT INTO kxWagesRecs ([RecID], [WageID], [StaffID], [BaseWage], [PostWage], [Bonus], [Allowance], [SocialIns], [HousingFund], [IncomeTax], [NetPay]) VALUES (12, 2, 2, 5500.00, 1000.00, 0.00, 300.00, 577.50, 385.00, 25.12, 5812.38);
INSERT INTO kxWagesRecs ([RecID], [WageID], [StaffID], [BaseWage], [PostWage], [Bonus], [Allowance], [SocialIns], [HousingFund], [IncomeTax], [NetPay]) VALUES (13, 2, 3, 6500.00, 1500.00, 0.00, 300.00, 682.50, 455.00, 64.88, 7097.62);
INSERT INTO kxWagesRecs ([RecID], [WageID], [StaffID], [BaseWage], [PostWage], [Bonus], [Allowance], [SocialIns], [HousingFund], [IncomeTax], [NetPay]) VALUES (14, 2, 4, 9000.00, 2500.00, 0.00, 300.00, 945.00, 630.00, 312.50, 9912.50);
INSERT INTO kxWagesRecs ([RecID], [WageID], [StaffID], [BaseWage], [PostWage], [Bonus], [Allowance], [SocialIns], [HousingFund], [IncomeTax], [NetPay]) VALUES (15, 2, 5, 5000.00, 800.00, 0.00, 300.00, 525.00, 350.00, 6.75, 5218.25);
INSERT INTO kxWagesRecs ([RecID], [WageID], [StaffID], [BaseWage], [PostWage], [Bonus], [Allowance], [SocialIns], [HousingFund], [IncomeTax], [NetPay]) VALUES (16, 2, 6, 6800.00, 1200.00, 0.00, 300.00, 714.00, 476.00, 63.30, 7046.70);
INSERT INTO kxWagesRecs ([RecID], [WageID], [StaffID], [BaseWage], [PostWage], [Bonus], [Allowance], [SocialIns], [HousingFund], [IncomeTax], [NetPay]) VALUES (17, 2, 7, 8500.00, 2000.00, 0.00, 300.00, 892.50, 595.00, 221.25, 9091.25);
INSERT INTO kxWagesRecs ([RecID], [WageID], [StaffID], [BaseWage], [PostWage], [Bonus], [Allowance], [SocialIns], [HousingFund], [IncomeTax], [NetPay]) VALUES (18, 2, 8, 7000.00, 1500.00, 0.00, 300.00, 735.00, 490.00, 77.25, 7497.75);
INSERT INTO kxWagesRecs ([RecID], [WageID], [StaffID], [BaseWage], [PostWage], [Bonus], [Allowance], [SocialIns], [HousingFund], [IncomeTax], [NetPay]) VALUES (19, 2, 9, 5200.00, 800.00, 0.00, 300.00, 546.00, 364.00, 11.70, 5378.30);
INSERT INTO kxWagesRecs ([RecID], [WageID], [StaffID], [BaseWage], [PostWage], [Bonus], [Allowance], [SocialIns], [HousingFund], [IncomeTax], [NetPay]) VALUES (20, 2, 10, 4800.00, 600.00, 0.00, 300.00, 504.00, 336.00, 0, 4860.00);

-- kxFaClass
INSERT INTO kxFaClass ([ClassCode], [ClassName], [UseLife], [SalvageRate], [DeprecMethod]) VALUES ('01', '房屋及建筑物', 240, 0.05, '平均年限法');
INSERT INTO kxFaClass ([ClassCode], [ClassName], [UseLife], [SalvageRate], [DeprecMethod]) VALUES ('02', '机器设备', 120, 0.05, '平均年限法');
INSERT INTO kxFaClass ([ClassCode], [ClassName], [UseLife], [SalvageRate], [DeprecMethod]) VALUES ('03', '运输设备', 48, 0.05, '平均年限法');
INSERT INTO kxFaClass ([ClassCode], [ClassName], [UseLife], [SalvageRate], [DeprecMethod]) VALUES ('04', '电子设备', 36, 0.05, '平均年限法');
INSERT INTO kxFaClass ([ClassCode], [ClassName], [UseLife], [SalvageRate], [DeprecMethod]) VALUES ('05', '办公家具', 60, 0.05, '平均年限法');

-- kxFaCard
INSERT INTO kxFaCard ([CardID], [AssetCode], [AssetName], [ClassCode], [BranchCode], [Model], [Quantity], [StartDate], [UseLife], [OriginalValue], [SalvageRate], [MonthDeprec], [AccumDeprec], [NetValue], [DeprecAccount], [AssetStatus], [AssetGuid]) VALUES (1, 'F001', '办公楼', '01', '01', '框架结构 4层 2400平方米', 1, '2016-12-15 00:00:00', 240, 1500000.00, 0.05, 5937.50, 647187.50, 852812.50, '660205', '在用', '{6B2F9A1E-3C4D-4E5F-8A9B-0C1D2E3F4A51}');
INSERT INTO kxFaCard ([CardID], [AssetCode], [AssetName], [ClassCode], [BranchCode], [Model], [Quantity], [StartDate], [UseLife], [OriginalValue], [SalvageRate], [MonthDeprec], [AccumDeprec], [NetValue], [DeprecAccount], [AssetStatus], [AssetGuid]) VALUES (2, 'F002', '生产厂房', '01', '04', '钢结构 3600平方米', 1, '2018-06-20 00:00:00', 240, 900000.00, 0.05, 3562.50, 324187.50, 575812.50, '5101', '在用', '{6B2F9A1E-3C4D-4E5F-8A9B-0C1D2E3F4A52}');
INSERT INTO kxFaCard ([CardID], [AssetCode], [AssetName], [ClassCode], [BranchCode], [Model], [Quantity], [StartDate], [UseLife], [OriginalValue], [SalvageRate], [MonthDeprec], [AccumDeprec], [NetValue], [DeprecAccount], [AssetStatus], [AssetGuid]) VALUES (3, 'F003', '数控车床', '02', '0401', 'CK6140', 2, '2021-03-10 00:00:00', 120, 186000.00, 0.05, 1472.50, 85405.00, 100595.00, '5101', '在用', '{6B2F9A1E-3C4D-4E5F-8A9B-0C1D2E3F4A53}');
INSERT INTO kxFaCard ([CardID], [AssetCode], [AssetName], [ClassCode], [BranchCode], [Model], [Quantity], [StartDate], [UseLife], [OriginalValue], [SalvageRate], [MonthDeprec], [AccumDeprec], [NetValue], [DeprecAccount], [AssetStatus], [AssetGuid]) VALUES (4, 'F004', '轻型货车', '03', '03', '东风 EQ1040 4.2米厢式', 1, '2023-05-08 00:00:00', 48, 128000.00, 0.05, 2533.33, 81066.56, 46933.44, '660104', '在用', '{6B2F9A1E-3C4D-4E5F-8A9B-0C1D2E3F4A54}');
INSERT INTO kxFaCard ([CardID], [AssetCode], [AssetName], [ClassCode], [BranchCode], [Model], [Quantity], [StartDate], [UseLife], [OriginalValue], [SalvageRate], [MonthDeprec], [AccumDeprec], [NetValue], [DeprecAccount], [AssetStatus], [AssetGuid]) VALUES (5, 'F005', '台式电脑', '04', '02', 'i5/16G/512G 含显示器', 10, '2024-09-12 00:00:00', 36, 58000.00, 0.05, 1530.56, 24488.96, 33511.04, '660205', '在用', '{6B2F9A1E-3C4D-4E5F-8A9B-0C1D2E3F4A55}');
INSERT INTO kxFaCard ([CardID], [AssetCode], [AssetName], [ClassCode], [BranchCode], [Model], [Quantity], [StartDate], [UseLife], [OriginalValue], [SalvageRate], [MonthDeprec], [AccumDeprec], [NetValue], [DeprecAccount], [AssetStatus], [AssetGuid]) VALUES (6, 'F006', '激光打印机', '04', '01', 'A4 黑白 双面', 1, '2025-03-18 00:00:00', 36, 4200.00, 0.05, 110.83, 1108.30, 3091.70, '660205', '在用', '{6B2F9A1E-3C4D-4E5F-8A9B-0C1D2E3F4A56}');
INSERT INTO kxFaCard ([CardID], [AssetCode], [AssetName], [ClassCode], [BranchCode], [Model], [Quantity], [StartDate], [UseLife], [OriginalValue], [SalvageRate], [MonthDeprec], [AccumDeprec], [NetValue], [DeprecAccount], [AssetStatus], [AssetGuid]) VALUES (7, 'F007', '办公桌椅', '05', '01', '实木 经理桌椅及职员工位', 12, '2022-01-05 00:00:00', 60, 36500.00, 0.05, 577.92, 27740.16, 8759.84, '660205', '在用', '{6B2F9A1E-3C4D-4E5F-8A9B-0C1D2E3F4A57}');

-- kxFaDeprec
INSERT INTO kxFaDeprec ([DeprecID], [CardID], [DeprecYear], [DeprecPeriod], [Amount], [AccumDeprec], [AccCode]) VALUES (1, 1, 2025, 12, 5937.50, 641250.00, '660205');
INSERT INTO kxFaDeprec ([DeprecID], [CardID], [DeprecYear], [DeprecPeriod], [Amount], [AccumDeprec], [AccCode]) VALUES (2, 2, 2025, 12, 3562.50, 320625.00, '5101');
INSERT INTO kxFaDeprec ([DeprecID], [CardID], [DeprecYear], [DeprecPeriod], [Amount], [AccumDeprec], [AccCode]) VALUES (3, 3, 2025, 12, 1472.50, 83932.50, '5101');
INSERT INTO kxFaDeprec ([DeprecID], [CardID], [DeprecYear], [DeprecPeriod], [Amount], [AccumDeprec], [AccCode]) VALUES (4, 4, 2025, 12, 2533.33, 78533.23, '660104');
INSERT INTO kxFaDeprec ([DeprecID], [CardID], [DeprecYear], [DeprecPeriod], [Amount], [AccumDeprec], [AccCode]) VALUES (5, 5, 2025, 12, 1530.56, 22958.40, '660205');
INSERT INTO kxFaDeprec ([DeprecID], [CardID], [DeprecYear], [DeprecPeriod], [Amount], [AccumDeprec], [AccCode]) VALUES (6, 6, 2025, 12, 110.83, 997.47, '660205');
INSERT INTO kxFaDeprec ([DeprecID], [CardID], [DeprecYear], [DeprecPeriod], [Amount], [AccumDeprec], [AccCode]) VALUES (7, 7, 2025, 12, 577.92, 27162.24, '660205');
INSERT INTO kxFaDeprec ([DeprecID], [CardID], [DeprecYear], [DeprecPeriod], [Amount], [AccumDeprec], [AccCode]) VALUES (8, 1, 2026, 1, 5937.50, 647187.50, '660205');
INSERT INTO kxFaDeprec ([DeprecID], [CardID], [DeprecYear], [DeprecPeriod], [Amount], [AccumDeprec], [AccCode]) VALUES (9, 2, 2026, 1, 3562.50, 324187.50, '5101');
INSERT INTO kxFaDeprec ([DeprecID], [CardID], [DeprecYear], [DeprecPeriod], [Amount], [AccumDeprec], [AccCode]) VALUES (10, 3, 2026, 1, 1472.50, 85405.00, '5101');
INSERT INTO kxFaDeprec ([DeprecID], [CardID], [DeprecYear], [DeprecPeriod], [Amount], [AccumDeprec], [AccCode]) VALUES (11, 4, 2026, 1, 2533.33, 81066.56, '660104');
INSERT INTO kxFaDeprec ([DeprecID], [CardID], [DeprecYear], [DeprecPeriod], [Amount], [AccumDeprec], [AccCode]) VALUES (12, 5, 2026, 1, 1530.56, 24488.96, '660205');
INSERT INTO kxFaDeprec ([DeprecID], [CardID], [DeprecYear], [DeprecPeriod], [Amount], [AccumDeprec], [AccCode]) VALUES (13, 6, 2026, 1, 110.83, 1108.30, '660205');
INSERT INTO kxFaDeprec ([DeprecID], [CardID], [DeprecYear], [DeprecPeriod], [Amount], [AccumDeprec], [AccCode]) VALUES (14, 7, 2026, 1, 577.92, 27740.16, '660205');
