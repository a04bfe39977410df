<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>MyApplication</name>
    <message>
        <source>Initiating failed!</source>
        <translation>Initiating failed!</translation>
    </message>
    <message>
        <source>Skin initialization failed!</source>
        <translation>Skin initialization failed!</translation>
    </message>
    <message>
        <source>Partial skin files initialing failed!</source>
        <translation>Partial skin files initialing failed!</translation>
    </message>
</context>
</TS>
