<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>DatasetsWindow</name>
    <message>
        <location filename="../datasets_window.cpp" line="59" />
        <source>名前 (Name)</source>
        <translation>Name</translation>
    </message>
    <message>
        <location filename="../datasets_window.cpp" line="59" />
        <source>名前 (Name):</source>
        <translation>Name:</translation>
    </message>
    <message>
        <location filename="../datasets_window.cpp" line="72" />
        <source>データセット (Datasets)</source>
        <translation>Datasets</translation>
    </message>
    <message>
        <location filename="../datasets_window.cpp" line="73" />
        <source>データセット (datasets)</source>
        <translation>datasets</translation>
    </message>
    <message>
        <location filename="../datasets_window.cpp" line="74" />
        <source>曲線を追加 (Add curve)</source>
        <translation>Add curve</translation>
    </message>
    <message>
        <location filename="../datasets_window.cpp" line="75" />
        <source>点の組を追加 (Add points)</source>
        <translation>Add points</translation>
    </message>
    <message>
        <location filename="../datasets_window.cpp" line="76" />
        <source>名前を変更 (Rename)</source>
        <translation>Rename</translation>
    </message>
    <message>
        <location filename="../datasets_window.cpp" line="77" />
        <source>削除 (Delete)</source>
        <translation>Delete</translation>
    </message>
    <message>
        <location filename="../datasets_window.cpp" line="92" />
        <source>曲線 (curve)</source>
        <translation>curve</translation>
    </message>
    <message>
        <location filename="../datasets_window.cpp" line="92" />
        <source>点 (points)</source>
        <translation>points</translation>
    </message>
    <message>
        <location filename="../datasets_window.cpp" line="93" />
        <source>%1 — %2 — %3</source>
        <translation>%1 — %2 — %3</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <location filename="../form1_ui.cpp" line="197" />
        <source>画像ファイル</source>
        <translation>Image file</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="198" />
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="199" />
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="200" />
        <source>Graph   Pixel</source>
        <translation>Graph   Pixel</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="202" />
        <source>始
点</source>
        <translation>S</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="203" />
        <source>始点</source>
        <translation>Start point (lower left corner)</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="204" />
        <source>始点(左下)を指定</source>
        <translation>Capture the start point (lower left corner)</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="205" />
        <source>終
点</source>
        <translation>E</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="206" />
        <source>終点</source>
        <translation>End point (upper right corner)</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="207" />
        <source>終点(右上)を指定</source>
        <translation>Capture the end point (upper right corner)</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="208" />
        <source>X座標</source>
        <translation>X</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="209" />
        <source>Y座標</source>
        <translation>Y</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="214" />
        <source>始点 X座標</source>
        <translation>Start point X</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="214" />
        <source>始点 Y座標</source>
        <translation>Start point Y</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="215" />
        <source>終点 X座標</source>
        <translation>End point X</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="215" />
        <source>終点 Y座標</source>
        <translation>End point Y</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="222" />
        <source>Scale Mode</source>
        <translation>Scale Mode</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="223" />
        <source>Linear - Linear</source>
        <translation>Linear - Linear</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="224" />
        <source>Linear - Logarithm</source>
        <translation>Linear - Logarithm</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="225" />
        <source>Logarithm - Logarithm</source>
        <translation>Logarithm - Logarithm</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="226" />
        <source>Point Digitize</source>
        <translation>Point Digitize</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="227" />
        <source>Auto Digitize</source>
        <translation>Auto Digitize</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="228" />
        <source>Graph Draw</source>
        <translation>Graph Draw</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="229" />
        <source> ディジタル化されたグラフを確認します </source>
        <translation> Check the digitized graph </translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="230" />
        <source>ディジタルデータ保存</source>
        <translation>Save the digitized data</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="231" />
        <source>ファイル名（拡張子なし）</source>
        <translation>File name (no extension)</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="233" />
        <source>File Save</source>
        <translation>File Save</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="234" />
        <source> bye bye </source>
        <translation> bye bye </translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="235" />
        <source>bye bye</source>
        <translation>bye bye</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="236" />
        <source> 出口はとなりです </source>
        <translation> The exit is next to this </translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="237" />
        <source>出口はとなりです</source>
        <translation>The exit is next to this</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="238" />
        <source>適用最大画像 1000×800 ピクセル</source>
        <translation>Pictures up to 1000 × 800 pixels</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="239" />
        <source>Picture</source>
        <translation>Picture</translation>
    </message>
    <message>
        <location filename="../form1_ui.cpp" line="242" />
        <source>© Curvix Digitizer</source>
        <translation>© Curvix Digitizer</translation>
    </message>
</context>
<context>
    <name>Keys</name>
    <message>
        <location filename="../key_table.cpp" line="32" />
        <source>ルーペ</source>
        <translation>loupe</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="34" />
        <source>校正の格子</source>
        <translation>calibration grid</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="36" />
        <source>トレースした画素</source>
        <translation>trace overlay</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="38" />
        <source>トレースをコピー</source>
        <translation>copy the trace</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="40" />
        <source>校正を保存</source>
        <translation>save the calibration</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="42" />
        <source>校正を開く</source>
        <translation>open a calibration</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="44" />
        <source>画像または PDF を開く</source>
        <translation>open a picture or a page of a PDF</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="48" />
        <source>軸を見つけて校正する</source>
        <translation>find the axes and calibrate from them</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="50" />
        <source>次のクリックの曲線を追う</source>
        <translation>follow the curve clicked next</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="52" />
        <source>除外する範囲をドラッグで描く</source>
        <translation>drag a rectangle in which nothing is traced</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="54" />
        <source>除外範囲をすべて消す</source>
        <translation>remove the exclusion rectangles</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="56" />
        <source>拡大</source>
        <translation>zoom in</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="58" />
        <source>縮小</source>
        <translation>zoom out</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="60" />
        <source>画像全体を表示</source>
        <translation>show the whole picture</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="62" />
        <source>原寸・左上 (元の表示)</source>
        <translation>actual size from the top left, as at start</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="64" />
        <source>データセットの一覧</source>
        <translation>the datasets</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="66" />
        <source>クリックで点を集める (入/切)</source>
        <translation>collect points by clicking, on or off</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="68" />
        <source>選んだ点を削除</source>
        <translation>delete the chosen point</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="70" />
        <source>選んだ列を直線で結ぶ</source>
        <translation>draw the chosen columns of a curve straight</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="72" />
        <source>データセットを書き出す</source>
        <translation>export all datasets</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="74" />
        <source>元に戻す</source>
        <translation>undo</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="76" />
        <location filename="../key_table.cpp" line="79" />
        <source>やり直す</source>
        <translation>redo</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="46" />
        <source>English と日本語を切り替える</source>
        <translation>switch between English and Japanese</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="81" />
        <location filename="../key_table.cpp" line="97" />
        <source>Alt+矢印</source>
        <translation>Alt+arrow</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="82" />
        <source>最後の点を 1 画素動かす; Shift と共に 10 画素</source>
        <translation>move the last placed point by 1 pixel; with Shift by 10</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="84" />
        <source>画像を貼り付け</source>
        <translation>paste a picture</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="86" />
        <source>この一覧</source>
        <translation>these keys</translation>
    </message>
    <message>
        <location filename="../key_table.cpp" line="95" />
        <source>キー操作 (Keys)</source>
        <translation>Keys</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../main_window.cpp" line="231" />
        <source>フォルダを開けません。
%1</source>
        <translation>The folder cannot be opened.
%1</translation>
    </message>
    <message>
        <location filename="../main_window.cpp" line="239" />
        <source>ファイルを選択して下さい</source>
        <translation>Select a file.</translation>
    </message>
    <message>
        <location filename="../main_window.cpp" line="289" />
        <source>画像または PDF を開く (Open a picture or PDF)</source>
        <translation>Open a picture or PDF</translation>
    </message>
    <message>
        <location filename="../main_window.cpp" line="307" />
        <source>画像を読み込めません。
%1
%2</source>
        <translation>The picture cannot be read.
%1
%2</translation>
    </message>
    <message>
        <location filename="../main_window.cpp" line="329" />
        <source>%1 を書き込めません。
%2</source>
        <translation>%1 cannot be written.
%2</translation>
    </message>
    <message>
        <location filename="../main_window_calibration_file.cpp" line="34" />
        <source>コピーするトレースがありません。先に Auto Digitize を押して下さい。
(There is no trace to copy: press Auto Digitize first.)</source>
        <translation>There is no trace to copy: press Auto Digitize first.</translation>
    </message>
    <message>
        <location filename="../main_window_calibration_file.cpp" line="50" />
        <source>保存する校正がありません。始点と終点を指定して下さい。
(There is no calibration to save: capture the start and end points first.)</source>
        <translation>There is no calibration to save: capture the start and end points first.</translation>
    </message>
    <message>
        <location filename="../main_window_calibration_file.cpp" line="69" />
        <source>校正ファイルを書き込めません。
%1
%2</source>
        <translation>The calibration file cannot be written.
%1
%2</translation>
    </message>
    <message>
        <location filename="../main_window_calibration_file.cpp" line="98" />
        <source>a corner pixel (%1, %2) lies outside the picture area of %3 × %4</source>
        <translation>a corner pixel (%1, %2) lies outside the picture area of %3 × %4</translation>
    </message>
    <message>
        <location filename="../main_window_calibration_file.cpp" line="106" />
        <source>校正ファイルを読み込めません。
%1
%2</source>
        <translation>The calibration file cannot be read.
%1
%2</translation>
    </message>
    <message>
        <location filename="../main_window_calibration_file.cpp" line="126" />
        <source>校正ファイルの画像が見つかりません。始点、終点と座標の値は読み込みました。
%1
(The calibration's picture was not found; its corners and values were loaded.)</source>
        <translation>The calibration's picture was not found; its corners and values were loaded.
%1</translation>
    </message>
    <message>
        <location filename="../main_window_calibration_file.cpp" line="158" />
        <source>読み込めなかったデータセットがあります。
(Datasets left out:)
%1</source>
        <translation>Datasets left out:
%1</translation>
    </message>
    <message>
        <location filename="../main_window_datasets.cpp" line="125" />
        <source>前回の作業は復元できません。
(The work kept from the last session cannot be restored: %1. It was kept as %2.)</source>
        <translation>The work kept from the last session cannot be restored: %1. It was kept as %2.</translation>
    </message>
    <message>
        <location filename="../main_window_datasets.cpp" line="131" />
        <source>前回の作業が残っています。復元しますか?
(Work from a session that did not end normally was kept. Restore it?)</source>
        <translation>Work from a session that did not end normally was kept. Restore it?</translation>
    </message>
    <message>
        <location filename="../main_window_datasets.cpp" line="134" />
        <source>復元 (Restore)</source>
        <translation>Restore</translation>
    </message>
    <message>
        <location filename="../main_window_datasets.cpp" line="135" />
        <source>破棄 (Discard)</source>
        <translation>Discard</translation>
    </message>
    <message>
        <location filename="../main_window_datasets.cpp" line="227" />
        <source>点の組は %1 点までです。
(A point set holds at most %1 points.)</source>
        <translation>A point set holds at most %1 points.</translation>
    </message>
    <message>
        <location filename="../main_window_datasets.cpp" line="342" />
        <source>書き出すデータセットがありません。Ctrl+D で追加して下さい。
(There are no datasets to export: add them with Ctrl+D.)</source>
        <translation>There are no datasets to export: add them with Ctrl+D.</translation>
    </message>
    <message>
        <location filename="../main_window_datasets.cpp" line="349" />
        <source>データセットを書き出す (Export the datasets)</source>
        <translation>Export the datasets</translation>
    </message>
    <message>
        <location filename="../main_window_datasets.cpp" line="365" />
        <source>書き出せません。
%1
%2</source>
        <translation>The file cannot be written.
%1
%2</translation>
    </message>
    <message>
        <location filename="../main_window_digitize.cpp" line="251" />
        <source>前の処理がまだ終わっていません。
(The last request is still being worked on.)</source>
        <translation>The last request is still being worked on.</translation>
    </message>
    <message>
        <location filename="../main_window_digitize.cpp" line="280" />
        <source>DIGITIZE が終了しました。</source>
        <translation>Digitizing is finished.</translation>
    </message>
    <message>
        <location filename="../main_window_digitize.cpp" line="282" />
        <source>
枠の幅が %1 列を超えたため、%2 列目から右はトレースしていません。
(The frame is wider than %1 columns: the columns after the %1th were not traced.)</source>
        <translation>
The frame is wider than %1 columns: the columns after the %1th were not traced.</translation>
    </message>
    <message>
        <location filename="../main_window_digitize.cpp" line="295" />
        <source>ファイル名を入力して下さい</source>
        <translation>Type a file name.</translation>
    </message>
    <message>
        <location filename="../main_window_digitize.cpp" line="301" />
        <source>データファイルを書き込めません。
%1
%2</source>
        <translation>The data file cannot be written.
%1
%2</translation>
    </message>
    <message>
        <location filename="../main_window_input.cpp" line="125" />
        <source>クリップボードに画像がありません。
(The clipboard holds no picture and no picture file.)</source>
        <translation>The clipboard holds no picture and no picture file.</translation>
    </message>
    <message>
        <location filename="../main_window_axes.cpp" line="27" />
        <source>軸を見つけられませんでした。何も変えていません。
%1
(The axes were not found; nothing was changed.)</source>
        <translation>The axes were not found; nothing was changed.
%1</translation>
    </message>
    <message>
        <location filename="../main_window_axes.cpp" line="42" />
        <source>軸が %1° 傾いています (the axes are tilted by %1°)</source>
        <translation>the axes are tilted by %1°</translation>
    </message>
</context>
<context>
    <name>PdfPageDialog</name>
    <message>
        <location filename="../pdf_page_dialog.cpp" line="32" />
        <location filename="../pdf_page_dialog.cpp" line="43" />
        <source>ページ (page)</source>
        <translation>page</translation>
    </message>
    <message>
        <location filename="../pdf_page_dialog.cpp" line="37" />
        <location filename="../pdf_page_dialog.cpp" line="44" />
        <source>解像度 (resolution)</source>
        <translation>resolution</translation>
    </message>
    <message>
        <location filename="../pdf_page_dialog.cpp" line="40" />
        <source>プレビュー (preview)</source>
        <translation>preview</translation>
    </message>
</context>
<context>
    <name>Picture</name>
    <message>
        <location filename="../picture_box.cpp" line="179" />
        <source>%1 × %2  Ctrl+0 で全体 (shows it whole)</source>
        <translation>%1 × %2  Ctrl+0 shows it whole</translation>
    </message>
    <message>
        <location filename="../picture_overlays.cpp" line="36" />
        <source>Grid: capture 始点 and 終点 first</source>
        <translation>Grid: capture the start and end points first</translation>
    </message>
</context>
</TS>