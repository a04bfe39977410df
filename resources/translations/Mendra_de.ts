<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>MyApplication</name>
    <message>
        <source>Initiating failed!</source>
        <translation>Initialisierung fehlgeschlagen!</translation>
    </message>
    <message>
        <source>Skin initialization failed!</source>
        <translation>Initialisierung des Skins fehlgeschlagen!</translation>
    </message>
    <message>
        <source>Partial skin files initialing failed!</source>
        <translation>Einige Skin-Dateien konnten nicht initialisiert werden!</translation>
    </message>
</context>
</TS>
