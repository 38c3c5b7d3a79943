<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>zevo3</name>
    <message>
        <source>不明な例外</source>
        <translation>Unknown exception</translation>
    </message>
    <message>
        <source>予期しないエラーが発生したため終了します。
%1</source>
        <translation>An unexpected error occurred; the program ends.
%1</translation>
    </message>
    <message>
        <source>レイアウトファイルがテーブルファイルと同じファイルのため、保存出来ません。
%1
%2</source>
        <translation>The layout file is the table file itself, so it cannot be saved.
%1
%2</translation>
    </message>
    <message>
        <source>リンクが循環しているため、保存出来ません。
%1</source>
        <translation>The symbolic links form a loop, so the file cannot be saved.
%1</translation>
    </message>
    <message>
        <source>リンク先のファイルが存在しないため、保存出来ません。
%1
→ %2</source>
        <translation>The symbolic link points to nothing, so the file cannot be saved.
%1
→ %2</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source> が閉じられました。
通信設定をやり直して下さい。</source>
        <translation> was closed.
Please set up the communication again.</translation>
    </message>
    <message>
        <source>通信ポートを設定して下さい</source>
        <translation>Please set the communication port</translation>
    </message>
    <message>
        <source>%1 がありません（接続されていません）。</source>
        <translation>%1 does not exist (not connected).</translation>
    </message>
    <message>
        <source>%1 を開く権限がありません。</source>
        <translation>No permission to open %1.</translation>
    </message>
    <message>
        <source>%1 を開く権限がありません。開けるのはグループ %2 のメンバーです。
sudo usermod -aG %2 %3 で加わり、ログインし直して下さい。</source>
        <translation>No permission to open %1. Members of the group %2 can open it.
Join it with sudo usermod -aG %2 %3 and log in again.</translation>
    </message>
    <message>
        <source>%1 は他のプログラムが使用中です。</source>
        <translation>%1 is in use by another program.</translation>
    </message>
    <message>
        <source>%1 は他のプログラムが使用中です（%2）。</source>
        <translation>%1 is in use by another program (%2).</translation>
    </message>
    <message>
        <source>larger than %1 bytes</source>
        <translation>larger than %1 bytes</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 is not a regular file</translation>
    </message>
    <message>
        <source>%1 is read-only</source>
        <translation>%1 is read-only</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>no such file</translation>
    </message>
    <message>
        <source>設定ファイルを保存できませんでした。
%1
%2</source>
        <translation>The settings file could not be saved.
%1
%2</translation>
    </message>
    <message>
        <source>設定ファイルを読み込めません。既定の設定で動作し、このファイルには書き込みません。
%1
%2</source>
        <translation>The settings file cannot be read. The tool runs with the default settings and does not write this file.
%1
%2</translation>
    </message>
    <message>
        <source>パターンコード %1 は 0〜15 の外です</source>
        <translation>pattern code %1 is outside 0 to 15</translation>
    </message>
    <message>
        <source>パターン %1 の Width が 0 です</source>
        <translation>the Width of pattern %1 is 0</translation>
    </message>
    <message>
        <source>パターン %1 の High が負です</source>
        <translation>the High of pattern %1 is negative</translation>
    </message>
    <message>
        <source>パターン %1 の High (%2) が Width (%3) より大きいです</source>
        <translation>the High of pattern %1 (%2) is larger than its Width (%3)</translation>
    </message>
    <message>
        <source>%1: 波形情報がありません</source>
        <translation>%1: no waveform information</translation>
    </message>
    <message>
        <source>%1: DataBits %2 のうち %3 まで表示</source>
        <translation>%1: %3 of DataBits %2 shown</translation>
    </message>
    <message>
        <source>%1: パルス %2 で停止 (%3)</source>
        <translation>%1: stopped at pulse %2 (%3)</translation>
    </message>
    <message>
        <source>%1: パルスが 2 つ未満です (DataBits %2)</source>
        <translation>%1: fewer than 2 pulses (DataBits %2)</translation>
    </message>
    <message>
        <source>フォルダ %1 を作れません: %2</source>
        <translation>cannot create the folder %1: %2</translation>
    </message>
</context>
<context>
    <name>zevo3::TfrmCodeExport</name>
    <message>
        <source>コードの書出</source>
        <translation>Export Codes</translation>
    </message>
    <message>
        <source>現在の行 (%1)</source>
        <translation>Current row (%1)</translation>
    </message>
    <message>
        <source>波形情報の有る全ての行</source>
        <translation>Every row with wave information</translation>
    </message>
    <message>
        <source>raw のみ</source>
        <translation>Raw only</translation>
    </message>
    <message>
        <source>クリップボードへ</source>
        <translation>To Clipboard</translation>
    </message>
    <message>
        <source>ファイルへ...</source>
        <translation>To File...</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>形式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>クリップボードへ書出しました</source>
        <translation>Written to the clipboard</translation>
    </message>
    <message>
        <source>|全てのﾌｧｲﾙ (*.*)|*.*</source>
        <translation>|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>ファイルを保存できませんでした。
%1
%2</source>
        <translation>The file could not be saved.
%1
%2</translation>
    </message>
    <message>
        <source>%1 へ書出しました</source>
        <translation>Written to %1</translation>
    </message>
</context>
<context>
    <name>zevo3::TfrmCodeImport</name>
    <message>
        <source>%1 番目のコード</source>
        <translation>Code %1</translation>
    </message>
    <message>
        <source>「%1」</source>
        <translation> &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 行目から %2 個のコードを格納すると %3 行目を越えます。</source>
        <translation>Storing %2 codes from row %1 would run past row %3.</translation>
    </message>
    <message>
        <source>名前の %1 文字目に制御文字 (U+%2) が有ります</source>
        <translation>Character %1 of the name is a control character (U+%2)</translation>
    </message>
    <message>
        <source>名前を CP932 (Shift_JIS) で表せません</source>
        <translation>The name cannot be written in CP932 (Shift_JIS)</translation>
    </message>
    <message>
        <source>名前の %1 文字目「%2」は CP932 (Shift_JIS) で表せません</source>
        <translation>Character %1 of the name, &quot;%2&quot;, cannot be written in CP932 (Shift_JIS)</translation>
    </message>
    <message>
        <source>コードを格納できません。
%1</source>
        <translation>The codes cannot be stored.
%1</translation>
    </message>
    <message>
        <source>%1 行目にはデータが有ります。
上書きしますか？</source>
        <translation>Row(s) %1 hold data.
Overwrite them?</translation>
    </message>
    <message>
        <source>コードの取込</source>
        <translation>Import Codes</translation>
    </message>
    <message>
        <source>Pronto Hex、raw、IR signal file、LIRC のテキストを貼付け</source>
        <translation>Paste Pronto Hex, raw, IR signal file or LIRC text</translation>
    </message>
    <message>
        <source>ファイル...</source>
        <translation>File...</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>搬送波</source>
        <translation>Carrier</translation>
    </message>
    <message>
        <source>ペア</source>
        <translation>Pairs</translation>
    </message>
    <message>
        <source>エントリ</source>
        <translation>Entries</translation>
    </message>
    <message>
        <source>最大偏差 µs</source>
        <translation>Max deviation µs</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>備考</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>格納</source>
        <translation>Store</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>形式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>格納先の行</source>
        <translation>Store from row</translation>
    </message>
    <message>
        <source>ファイルを読み込めません。
%1
%2</source>
        <translation>The file cannot be read.
%1
%2</translation>
    </message>
    <message>
        <source>%1 Hz</source>
        <translation>%1 Hz</translation>
    </message>
    <message>
        <source>全てのﾌｧｲﾙ (*.*)|*.*|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|IR signals (*.ir)|*.ir|LIRC (*.conf)|*.conf</source>
        <translation>All files (*.*)|*.*|Text files (*.txt)|*.txt|IR signals (*.ir)|*.ir|LIRC (*.conf)|*.conf</translation>
    </message>
</context>
<context>
    <name>zevo3::TfrmCom</name>
    <message>
        <source>通信ﾊﾟﾗﾒｰﾀ設定</source>
        <translation>Communication Settings</translation>
    </message>
    <message>
        <source>通信ﾊﾟﾗﾒｰﾀ</source>
        <translation>Line parameters</translation>
    </message>
    <message>
        <source>接続ﾎﾟｰﾄ</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>BPS</source>
        <translation>BPS</translation>
    </message>
    <message>
        <source>DataBit</source>
        <translation>DataBit</translation>
    </message>
    <message>
        <source>StopBit</source>
        <translation>StopBit</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Parity</translation>
    </message>
    <message>
        <source>送信条件</source>
        <translation>Sending</translation>
    </message>
    <message>
        <source>Header</source>
        <translation>Header</translation>
    </message>
    <message>
        <source>Delimiter</source>
        <translation>Delimiter</translation>
    </message>
    <message>
        <source>受信条件</source>
        <translation>Receiving</translation>
    </message>
    <message>
        <source>TimeOut</source>
        <translation>TimeOut</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 が数値ではありません: %2</source>
        <translation>%1 is not a number: %2</translation>
    </message>
    <message>
        <source>無し</source>
        <translation>None</translation>
    </message>
</context>
<context>
    <name>zevo3::TfrmLayout</name>
    <message>
        <source>Cell 削除</source>
        <translation>Delete Cells</translation>
    </message>
    <message>
        <source>ZEVO3 登録</source>
        <translation>Register in ZEVO3</translation>
    </message>
    <message>
        <source>発射テスト</source>
        <translation>Firing Test</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>R%1 以降の Cell を削除します</source>
        <translation>Delete the cells from R%1 on</translation>
    </message>
    <message>
        <source>行方向に削除→</source>
        <translation>Delete along the row →</translation>
    </message>
    <message>
        <source>列方向に削除↓</source>
        <translation>Delete down the column ↓</translation>
    </message>
    <message>
        <source>両方向に削除↓→</source>
        <translation>Delete both ways ↓→</translation>
    </message>
    <message>
        <source>ダウンロードを開始します。</source>
        <translation>The download starts.</translation>
    </message>
    <message>
        <source>レイアウト情報を保存しますか？</source>
        <translation>Save the layout?</translation>
    </message>
    <message>
        <source>%1 / %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>ダウンロード完了</source>
        <translation>Download complete</translation>
    </message>
    <message>
        <source>ダウンロードを中止しました</source>
        <translation>The download was stopped</translation>
    </message>
    <message>
        <source>レイアウトファイルを保存できませんでした。
%1
%2</source>
        <translation>The layout file could not be saved.
%1
%2</translation>
    </message>
    <message>
        <source>レイアウトファイルを読み込めません。
%1
%2</source>
        <translation>The layout file cannot be read.
%1
%2</translation>
    </message>
    <message>
        <source>レイアウトファイルがテーブルファイルと同じファイルのため、読み込みません。
%1
%2</source>
        <translation>The layout file is the table file itself, so it is not read.
%1
%2</translation>
    </message>
    <message>
        <source>ZEVO3のレイアウトファイルでは有りません。
強制的に開きますか？</source>
        <translation>This is not a ZEVO3 layout file.
Open it anyway?</translation>
    </message>
</context>
<context>
    <name>zevo3::TfrmMain</name>
    <message>
        <source>ZEVOに送信</source>
        <translation>Send to ZEVO</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ (&amp;File)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>新規作成 (&amp;New)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙを開く (&amp;Open)</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙに保存 (&amp;Save)</source>
        <translation>&amp;Save...</translation>
    </message>
    <message>
        <source>通信の設定 (&amp;Com)</source>
        <translation>&amp;Communication Settings...</translation>
    </message>
    <message>
        <source>終了 (&amp;Quit)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>発射テスト</source>
        <translation>Firing Test</translation>
    </message>
    <message>
        <source>Table 印刷</source>
        <translation>Print Table</translation>
    </message>
    <message>
        <source>カンマはセルに入力出来ません</source>
        <translation>A comma cannot be typed into a cell</translation>
    </message>
    <message>
        <source>コピー&#x3000;(&amp;Copy)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>貼付け (&amp;Paste)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>削除 (&amp;Delete)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>挿入 (&amp;Insert)</source>
        <translation>&amp;Insert</translation>
    </message>
    <message>
        <source>波形情報の編集</source>
        <translation>Edit Wave Information</translation>
    </message>
    <message>
        <source>波形表示</source>
        <translation>Show Waveform</translation>
    </message>
    <message>
        <source>コードの取込...</source>
        <translation>Import Codes...</translation>
    </message>
    <message>
        <source>コードの書出...</source>
        <translation>Export Codes...</translation>
    </message>
    <message>
        <source>プロトコル解析</source>
        <translation>Decode Protocol</translation>
    </message>
    <message>
        <source>プロトコルから作成...</source>
        <translation>Make from Protocol...</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ (&amp;Cancel)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>現在の行を削除して前詰めにします。
よろしいですか？</source>
        <translation>The current row is deleted and the rows below move up.
Are you sure?</translation>
    </message>
    <message>
        <source>削除確認</source>
        <translation>Confirm Delete</translation>
    </message>
    <message>
        <source>%1 行目にコードを取込みました</source>
        <translation>Codes imported into row %1</translation>
    </message>
    <message>
        <source>%1〜%2 行目にコードを取込みました</source>
        <translation>Codes imported into rows %1 to %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 はコードの形式ではありません</source>
        <translation>%1 is not in a code format</translation>
    </message>
    <message>
        <source>解析Log</source>
        <translation>Analysis Log</translation>
    </message>
    <message>
        <source>印刷を開始できませんでした。</source>
        <translation>Printing could not be started.</translation>
    </message>
    <message>
        <source>Pattern Code の %1 文字目「%2」は16進数字ではありません。</source>
        <translation>Character %1 of the Pattern Code, &quot;%2&quot;, is not a hexadecimal digit.</translation>
    </message>
    <message>
        <source>ﾃｷｽﾄﾌｧｲﾙ (*.Txt)|*.Txt|ｶﾝﾏ形式ﾃﾞｰﾀﾌｧｲﾙ (*.Csv)|*.Csv|ﾘﾓｺﾝ波形ｲﾒｰｼﾞﾌｧｲﾙ (*.Bmp)|*.Bmp|全てのﾌｧｲﾙ (*.*)|*.*</source>
        <translation>Text files (*.Txt)|*.Txt|Comma-separated files (*.Csv)|*.Csv|Remote waveform images (*.Bmp)|*.Bmp|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>選択されたファイル形式では保存出来ません。</source>
        <translation>Files of the chosen type cannot be saved.</translation>
    </message>
    <message>
        <source>テーブルファイルを .ZV3 の名前では保存出来ません。
%1</source>
        <translation>A table file cannot be saved under a .ZV3 name.
%1</translation>
    </message>
    <message>
        <source>テーブルファイルを保存できませんでした。
%1
%2</source>
        <translation>The table file could not be saved.
%1
%2</translation>
    </message>
    <message>
        <source>テーブルファイルを読み込めません。
%1
%2</source>
        <translation>The table file cannot be read.
%1
%2</translation>
    </message>
    <message>
        <source>ZEVO4のテーブルファイルでは有りません。
強制的に開きますか？</source>
        <translation>This is not a ZEVO4 table file.
Open it anyway?</translation>
    </message>
    <message>
        <source>テーブルファイルの変換エラー
%1
%2 行目 %3 番目の項目: %4</source>
        <translation>Conversion error in the table file
%1
line %2, field %3: %4</translation>
    </message>
    <message>
        <source>&#x3000;プロトコル: %1</source>
        <translation>  protocol: %1</translation>
    </message>
    <message>
        <source>&#x3000;プロトコル: 不明 (%1)</source>
        <translation>  protocol: none (%1)</translation>
    </message>
    <message>
        <source>%1 行目には波形情報が有りません。</source>
        <translation>Row %1 holds no wave information.</translation>
    </message>
    <message>
        <source>%1 行目のコードはどのプロトコルにも当たりません。
%2</source>
        <translation>The code of row %1 is none of the protocols.
%2</translation>
    </message>
    <message>
        <source>%1 行目: %2</source>
        <translation>Row %1: %2</translation>
    </message>
    <message>
        <source>%1 行目の Result「%2」を「%3」に書き換えますか？</source>
        <translation>Replace the Result &quot;%2&quot; of row %1 with &quot;%3&quot;?</translation>
    </message>
    <message>
        <source>%1 行目にコードを作成しました</source>
        <translation>Code made in row %1</translation>
    </message>
    <message>
        <source>学習 On</source>
        <translation>Learning On</translation>
    </message>
    <message>
        <source>学習 Off</source>
        <translation>Learning Off</translation>
    </message>
    <message>
        <source>波形を保存できませんでした。
%1: %2</source>
        <translation>The waveform could not be saved.
%1: %2</translation>
    </message>
    <message>
        <source>ファイルが空です</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>見出し行「Carry,Comments,」ではありません</source>
        <translation>the heading line is not &quot;Carry,Comments,&quot;</translation>
    </message>
    <message>
        <source>見出し行の後に何もありません</source>
        <translation>nothing follows the heading line</translation>
    </message>
    <message>
        <source>列見出し「%1」ではありません</source>
        <translation>the column headings are not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>パルスが %1 個を超えています</source>
        <translation>more than %1 pulses</translation>
    </message>
    <message>
        <source>パルスの行「[NNN],H,L,W」ではありません</source>
        <translation>a pulse line is not &quot;[NNN],H,L,W&quot;</translation>
    </message>
    <message>
        <source>[%1] の行に [%2] があります</source>
        <translation>the line of [%1] holds [%2]</translation>
    </message>
    <message>
        <source>番号の後に H, L, W の 3 つの数値がありません</source>
        <translation>the number is not followed by the three numbers H, L, W</translation>
    </message>
    <message>
        <source>W は 0 より大きく、H は 0 以上でなければなりません</source>
        <translation>W must be above 0 and H 0 or more</translation>
    </message>
    <message>
        <source>H (%1) が W (%2) より大きいです</source>
        <translation>H (%1) is larger than W (%2)</translation>
    </message>
    <message>
        <source>H + L (%1 + %2) が W (%3) と一致しません</source>
        <translation>H + L (%1 + %2) is not W (%3)</translation>
    </message>
    <message>
        <source>一覧の終わりの空行の後に文字があります</source>
        <translation>text follows the blank line that ends the list</translation>
    </message>
    <message>
        <source>パルスが 2 つ未満です</source>
        <translation>fewer than 2 pulses</translation>
    </message>
    <message>
        <source>波形ファイルの形式ではありません</source>
        <translation>not a wave file</translation>
    </message>
    <message>
        <source>ファイルがありません</source>
        <translation>no such file</translation>
    </message>
    <message>
        <source>通常のファイルではありません (フォルダ、名前付きパイプ、デバイスなど)</source>
        <translation>not a regular file (a folder, a named pipe, a device, ...)</translation>
    </message>
    <message>
        <source>%1 バイトを超えています</source>
        <translation>larger than %1 bytes</translation>
    </message>
    <message>
        <source>読み取れません</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>ﾃｷｽﾄﾌｧｲﾙ (*.Txt)|*.Txt|全てのﾌｧｲﾙ (*.*)|*.*</source>
        <translation>Text files (*.Txt)|*.Txt|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>波形ファイルを読み込めません。波形は変わりません。
%1</source>
        <translation>The wave file cannot be read. The waveform stays as it is.
%1</translation>
    </message>
    <message>
        <source>%1 の %2 行目: %3</source>
        <translation>%1 line %2: %3</translation>
    </message>
</context>
<context>
    <name>zevo3::TfrmMsgBox</name>
    <message>
        <source>次回から表示しない</source>
        <translation>Do not show again</translation>
    </message>
</context>
<context>
    <name>zevo3::TfrmProtocolCode</name>
    <message>
        <source>プロトコルから作成</source>
        <translation>Make from Protocol</translation>
    </message>
    <message>
        <source>現在の行 (%1)</source>
        <translation>Current row (%1)</translation>
    </message>
    <message>
        <source>次の空き行 (%1)</source>
        <translation>Next free row (%1)</translation>
    </message>
    <message>
        <source>格納</source>
        <translation>Store</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>プロトコル</source>
        <translation>Protocol</translation>
    </message>
    <message>
        <source>アドレス</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>コマンド</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>リピート</source>
        <translation>Repeats</translation>
    </message>
    <message>
        <source>トグル</source>
        <translation>Toggle</translation>
    </message>
    <message>
        <source>格納先</source>
        <translation>Store into</translation>
    </message>
    <message>
        <source>アドレスは 10 進数か 0x で始まる 16 進数です</source>
        <translation>The address is a decimal number or hexadecimal after 0x</translation>
    </message>
    <message>
        <source>コマンドは 10 進数か 0x で始まる 16 進数です</source>
        <translation>The command is a decimal number or hexadecimal after 0x</translation>
    </message>
    <message>
        <source>アドレスは %1 ビット (0〜%2) です</source>
        <translation>The address has %1 bits (0 to %2)</translation>
    </message>
    <message>
        <source>コマンドは %1 ビット (0〜%2) です</source>
        <translation>The command has %1 bits (0 to %2)</translation>
    </message>
    <message>
        <source>アドレス %1 ビット、コマンド %2 ビット</source>
        <translation>Address %1 bits, command %2 bits</translation>
    </message>
    <message>
        <source>搬送波 %1、%2 組、%3 パターン</source>
        <translation>Carrier %1, %2 pairs, %3 patterns</translation>
    </message>
</context>
<context>
    <name>zevo3::TfrmWaveEdit</name>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
