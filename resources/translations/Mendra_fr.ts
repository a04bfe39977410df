<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>MyApplication</name>
    <message>
        <source>Initiating failed!</source>
        <translation>Échec de l’initialisation !</translation>
    </message>
    <message>
        <source>Skin initialization failed!</source>
        <translation>Échec de l’initialisation de l’habillage !</translation>
    </message>
    <message>
        <source>Partial skin files initialing failed!</source>
        <translation>L’initialisation de certains fichiers d’habillage a échoué !</translation>
    </message>
</context>
</TS>
