#!/usr/bin/env python3
"""Fills the English translations of app/translations/curvix_en.ts after
lupdate has added new texts: a text that carries its English in brackets
("...\n(English)" or "... (English)") is translated to that English alone; the
window's own Japanese texts take the English below; texts in English stay.
Run it after `cmake --build build --target update_translations`."""
import re
import sys
import xml.etree.ElementTree as ET

ENGLISH = {
    '画像ファイル': 'Image file',
    '始\n点': 'S',
    '始点': 'Start point (lower left corner)',
    '始点(左下)を指定': 'Capture the start point (lower left corner)',
    '終\n点': 'E',
    '終点': 'End point (upper right corner)',
    '終点(右上)を指定': 'Capture the end point (upper right corner)',
    '軸を見つけて校正する': 'find the axes and calibrate from them',
    'X座標': 'X',
    'Y座標': 'Y',
    '始点 X座標': 'Start point X',
    '始点 Y座標': 'Start point Y',
    '終点 X座標': 'End point X',
    '終点 Y座標': 'End point Y',
    ' ディジタル化されたグラフを確認します ': ' Check the digitized graph ',
    'ディジタルデータ保存': 'Save the digitized data',
    'ファイル名（拡張子なし）': 'File name (no extension)',
    ' 出口はとなりです ': ' The exit is next to this ',
    '出口はとなりです': 'The exit is next to this',
    '適用最大画像 1000×800 ピクセル': 'Pictures up to 1000 × 800 pixels',
    'ルーペ': 'loupe',
    '校正の格子': 'calibration grid',
    'トレースした画素': 'trace overlay',
    'トレースをコピー': 'copy the trace',
    '校正を保存': 'save the calibration',
    '校正を開く': 'open a calibration',
    '画像または PDF を開く': 'open a picture or a page of a PDF',
    '次のクリックの曲線を追う': 'follow the curve clicked next',
    '除外する範囲をドラッグで描く': 'drag a rectangle in which nothing is traced',
    '除外範囲をすべて消す': 'remove the exclusion rectangles',
    '拡大': 'zoom in',
    '縮小': 'zoom out',
    '画像全体を表示': 'show the whole picture',
    '原寸・左上 (元の表示)': 'actual size from the top left, as at start',
    'データセットの一覧': 'the datasets',
    'クリックで点を集める (入/切)': 'collect points by clicking, on or off',
    '選んだ点を削除': 'delete the chosen point',
    '選んだ列を直線で結ぶ': 'draw the chosen columns of a curve straight',
    'データセットを書き出す': 'export all datasets',
    '元に戻す': 'undo',
    'やり直す': 'redo',
    'English と日本語を切り替える': 'switch between English and Japanese',
    'Alt+矢印': 'Alt+arrow',
    '最後の点を 1 画素動かす; Shift と共に 10 画素': 'move the last placed point by 1 pixel; with Shift by 10',
    '画像を貼り付け': 'paste a picture',
    'この一覧': 'these keys',
    'キー操作 (Keys)': 'Keys',
    'フォルダを開けません。\n%1': 'The folder cannot be opened.\n%1',
    'ファイルを選択して下さい': 'Select a file.',
    '画像を読み込めません。\n%1\n%2': 'The picture cannot be read.\n%1\n%2',
    '%1 を書き込めません。\n%2': '%1 cannot be written.\n%2',
    '校正ファイルを書き込めません。\n%1\n%2': 'The calibration file cannot be written.\n%1\n%2',
    '校正ファイルを読み込めません。\n%1\n%2': 'The calibration file cannot be read.\n%1\n%2',
    '書き出せません。\n%1\n%2': 'The file cannot be written.\n%1\n%2',
    'DIGITIZE が終了しました。': 'Digitizing is finished.',
    'ファイル名を入力して下さい': 'Type a file name.',
    'データファイルを書き込めません。\n%1\n%2': 'The data file cannot be written.\n%1\n%2',
    '%1 × %2  Ctrl+0 で全体 (shows it whole)': '%1 × %2  Ctrl+0 shows it whole',
    '軸が %1° 傾いています (the axes are tilted by %1°)': 'the axes are tilted by %1°',
    'Grid: capture 始点 and 終点 first': 'Grid: capture the start and end points first',
    '%1 — %2 — %3': '%1 — %2 — %3',
    '名前 (Name):': 'Name:',
    '© Curvix Digitizer': '© Curvix Digitizer',
    '読み込めなかったデータセットがあります。\n(Datasets left out:)\n%1': 'Datasets left out:\n%1',
    'a corner pixel (%1, %2) lies outside the picture area of %3 × %4': 'a corner pixel (%1, %2) lies outside the picture area of %3 × %4',
}


def english(source):
    if source in ENGLISH:
        return ENGLISH[source]
    if all(ord(c) < 128 for c in source):
        return source
    # The English in the last brackets, on a line of its own or after the text.
    match = re.search(r'\n\((.*)\)\s*$', source, re.S) or re.search(r'\s\(([^()]*)\)\s*$', source)
    if match:
        prefix = '\n' if source.startswith('\n') else ''
        # Lines of placeholders alone (a path, a reason) stay, after the English.
        details = [line for line in source[:match.start()].split('\n')
                   if re.search(r'%\d', line) and all(ord(c) < 128 for c in line)]
        return prefix + '\n'.join([match.group(1)] + details)
    return None


def main(path):
    tree = ET.parse(path)
    missing = []
    for message in tree.getroot().iter('message'):
        source = message.find('source').text or ''
        translation = message.find('translation')
        text = english(source)
        if text is None:
            missing.append(source)
            continue
        translation.text = text
        translation.attrib.pop('type', None)
    tree.write(path, encoding='utf-8', xml_declaration=True)
    for source in missing:
        print('no English for:', repr(source), file=sys.stderr)
    return 1 if missing else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else 'app/translations/curvix_en.ts'))
