<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>MyApplication</name>
    <message>
        <source>Initiating failed!</source>
        <translation>初始化失败！</translation>
    </message>
    <message>
        <source>Skin initialization failed!</source>
        <translation>皮肤初始化失败！</translation>
    </message>
    <message>
        <source>Partial skin files initialing failed!</source>
        <translation>部分皮肤文件初始化失败！</translation>
    </message>
</context>
</TS>
