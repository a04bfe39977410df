<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>MyApplication</name>
    <message>
        <source>Initiating failed!</source>
        <translation>初期化に失敗しました！</translation>
    </message>
    <message>
        <source>Skin initialization failed!</source>
        <translation>スキンの初期化に失敗しました！</translation>
    </message>
    <message>
        <source>Partial skin files initialing failed!</source>
        <translation>一部のスキンファイルの初期化に失敗しました！</translation>
    </message>
</context>
</TS>
