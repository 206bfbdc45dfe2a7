<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Form</name>
    <message>
        <source>Adding a lieferant Record</source>
        <translation>Neuer Datensatz: Lieferant</translation>
    </message>
    <message>
        <source>Changing a lieferant Record</source>
        <translation>Datensatz ändern: Lieferant</translation>
    </message>
    <message>
        <source>  (New)</source>
        <translation>  (neu)</translation>
    </message>
    <message>
        <source>Adding a atran Record</source>
        <translation>Neuer Datensatz: Transport</translation>
    </message>
    <message>
        <source>Changing a atran Record</source>
        <translation>Datensatz ändern: Transport</translation>
    </message>
    <message>
        <source>Adding a text Record</source>
        <translation>Neuer Datensatz: Text</translation>
    </message>
    <message>
        <source>Changing a text Record</source>
        <translation>Datensatz ändern: Text</translation>
    </message>
</context>
<context>
    <name>ListReport</name>
    <message>
        <source>Page %1</source>
        <translation>Seite %1</translation>
    </message>
    <message>
        <source>Print the papier File by PAP:Keypbez</source>
        <translation>Papier-Sorten nach Bezeichnung</translation>
    </message>
    <message>
        <source>Print the maschin File by MAS:Keymbez</source>
        <translation>Druckmaschinen nach Bezeichnung</translation>
    </message>
    <message>
        <source>Print the arbeit File by ARB:Keyabez</source>
        <translation>Weitere Arbeiten nach Bezeichnung</translation>
    </message>
    <message>
        <source>Print the kaldruck File by KAD:Keyaufid</source>
        <translation>Druckkalkulationen nach Auftrag</translation>
    </message>
    <message>
        <source>Print the kaldruck File by KAD:Keyadid</source>
        <translation>Druckkalkulationen nach interner Nummer</translation>
    </message>
    <message>
        <source>Print the kunde File by KUN:Keykname</source>
        <translation>Kunden nach Namen</translation>
    </message>
    <message>
        <source>Print the kunde File by KUN:Keykort</source>
        <translation>Kunden nach Ort</translation>
    </message>
    <message>
        <source>Print the kunde File by KUN:Keykplz</source>
        <translation>Kunden nach PLZ</translation>
    </message>
    <message>
        <source>Print the auftrag File by AUF:Keykuid</source>
        <translation>Aufträge nach Kunde/ Status</translation>
    </message>
    <message>
        <source>Print the auftrag File by AUF:Keyfname</source>
        <translation>Aufträge nach Auftragsdatum</translation>
    </message>
    <message>
        <source>Print the auftrag File by AUF:Keyfnr</source>
        <translation>Aufträge nach Auftragsnummer</translation>
    </message>
    <message>
        <source>Print the auftrag File by AUF:Keyfaid</source>
        <translation>Aufträge nach lfd. Nummer</translation>
    </message>
    <message>
        <source>Print the auftrag File by AUF:Keystatus</source>
        <translation>Aufträge nach Status</translation>
    </message>
    <message>
        <source>Print the anach File by ANA:Keydidauf</source>
        <translation>Zusatzarbeiten nach Auftrag</translation>
    </message>
    <message>
        <source>Print the anach File by ANA:Keydaid</source>
        <translation>Zusatzarbeiten nach lfd. Nummer</translation>
    </message>
    <message>
        <source>Print the atran File by ATR:Keytaid</source>
        <translation>Transporte nach lfd. Nummer</translation>
    </message>
    <message>
        <source>Print the atran File by ATR:Keytid</source>
        <translation>Transporte nach interner Nummer</translation>
    </message>
    <message>
        <source>Print the atran File by ATR:Kaufid</source>
        <translation>Transporte nach Auftrag</translation>
    </message>
    <message>
        <source>Print the atran File by ATR:Keytbez</source>
        <translation>Transporte nach Transportart</translation>
    </message>
    <message>
        <source>Print the aufpap File by APA:Keyapaid</source>
        <translation>Papierpositionen nach lfd. Nummer</translation>
    </message>
    <message>
        <source>Print the aufpap File by APA:Keyapid</source>
        <translation>Papierpositionen nach interner Nummer</translation>
    </message>
    <message>
        <source>Print the aufpap File by APA:Kaufid</source>
        <translation>Papierpositionen nach Auftrag</translation>
    </message>
    <message>
        <source>Print the asatz File by ASA:Keyasaufid</source>
        <translation>Satz-/ Verarbeitungspositionen nach Auftrag</translation>
    </message>
    <message>
        <source>Print the asatz File by ASA:Keyasaid</source>
        <translation>Satz-/ Verarbeitungspositionen nach lfd. Nummer</translation>
    </message>
    <message>
        <source>Print the satz File by SAT:Keysbez</source>
        <translation>Satz-/ Verarbeitungskosten nach Tätigkeit</translation>
    </message>
    <message>
        <source>Print the transport File by TRA:Keytaid</source>
        <translation>Transportkosten nach lfd. Nummer</translation>
    </message>
    <message>
        <source>Print the text File by TEX:Keytxstat</source>
        <translation>Texte nach Textart</translation>
    </message>
    <message>
        <source>Print the text File by TEX:Keytxid</source>
        <translation>Texte nach Kennung</translation>
    </message>
</context>
<context>
    <name>ListReport anach</name>
    <message>
        <source>anaid</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>anid</source>
        <translation>interne ID</translation>
    </message>
    <message>
        <source>anidauf</source>
        <translation>Auftrag (intern)</translation>
    </message>
    <message>
        <source>abez</source>
        <translation>Tätigkeit</translation>
    </message>
    <message>
        <source>apr</source>
        <translation>Preis</translation>
    </message>
    <message>
        <source>anein</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>asanz</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>azeit</source>
        <translation>Faktor</translation>
    </message>
    <message>
        <source>angpr</source>
        <translation>Gesamtpreis</translation>
    </message>
</context>
<context>
    <name>ListReport arbeit</name>
    <message>
        <source>aaid</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>aid</source>
        <translation>interne ID</translation>
    </message>
    <message>
        <source>abez</source>
        <translation>Bezeichnung</translation>
    </message>
    <message>
        <source>apr</source>
        <translation>Preis</translation>
    </message>
    <message>
        <source>anein</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>azeit</source>
        <translation>Minuten</translation>
    </message>
</context>
<context>
    <name>ListReport asatz</name>
    <message>
        <source>asaid</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>asid</source>
        <translation>interne ID</translation>
    </message>
    <message>
        <source>asaufid</source>
        <translation>Auftrag (intern)</translation>
    </message>
    <message>
        <source>asbez</source>
        <translation>Tätigkeit</translation>
    </message>
    <message>
        <source>asanz</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>asfak</source>
        <translation>Faktor</translation>
    </message>
    <message>
        <source>aspr</source>
        <translation>Preis</translation>
    </message>
    <message>
        <source>sein</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>asgpr</source>
        <translation>Gesamtpreis</translation>
    </message>
</context>
<context>
    <name>ListReport atran</name>
    <message>
        <source>ataid</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>atid</source>
        <translation>interne ID</translation>
    </message>
    <message>
        <source>fid</source>
        <translation>Auftrag (intern)</translation>
    </message>
    <message>
        <source>atbez</source>
        <translation>Transportart</translation>
    </message>
    <message>
        <source>atpr</source>
        <translation>Preis</translation>
    </message>
    <message>
        <source>sein</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>atfak</source>
        <translation>Zuschlag</translation>
    </message>
    <message>
        <source>asanz</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>asgpr</source>
        <translation>Gesamtpreis</translation>
    </message>
</context>
<context>
    <name>ListReport aufpap</name>
    <message>
        <source>apaid</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>apid</source>
        <translation>interne ID</translation>
    </message>
    <message>
        <source>fid</source>
        <translation>Auftrag (intern)</translation>
    </message>
    <message>
        <source>pbez</source>
        <translation>Papier</translation>
    </message>
    <message>
        <source>ppr</source>
        <translation>Preis</translation>
    </message>
    <message>
        <source>apfor</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>apanz</source>
        <translation>Menge</translation>
    </message>
    <message>
        <source>apendpr</source>
        <translation>Gesamtpreis</translation>
    </message>
</context>
<context>
    <name>ListReport auftrag</name>
    <message>
        <source>faid</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>fid</source>
        <translation>interne ID</translation>
    </message>
    <message>
        <source>fnr</source>
        <translation>Auftr.-Nr.</translation>
    </message>
    <message>
        <source>fdatum</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>fstat</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>kid</source>
        <translation>Kundennr.</translation>
    </message>
    <message>
        <source>kname</source>
        <translation>Kunde/ Firma</translation>
    </message>
    <message>
        <source>fandat</source>
        <translation>Angebot</translation>
    </message>
    <message>
        <source>fliefs</source>
        <translation>Lieferung</translation>
    </message>
</context>
<context>
    <name>ListReport kaldruck</name>
    <message>
        <source>kaid</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>fid</source>
        <translation>Auftrag (intern)</translation>
    </message>
    <message>
        <source>abez</source>
        <translation>Bezeichnung</translation>
    </message>
    <message>
        <source>kaal</source>
        <translation>Stück/Sorte</translation>
    </message>
    <message>
        <source>kaso</source>
        <translation>Sorten</translation>
    </message>
    <message>
        <source>kafarbe</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>kay</source>
        <translation>Nutzen L.</translation>
    </message>
    <message>
        <source>kax</source>
        <translation>Nutzen B.</translation>
    </message>
    <message>
        <source>kast</source>
        <translation>Nutzen</translation>
    </message>
    <message>
        <source>kammax</source>
        <translation>Bogen L.</translation>
    </message>
    <message>
        <source>kammin</source>
        <translation>Bogen B.</translation>
    </message>
    <message>
        <source>kamfarb</source>
        <translation>Masch.-Farben</translation>
    </message>
    <message>
        <source>kaomax</source>
        <translation>Vorlage L.</translation>
    </message>
    <message>
        <source>kaomin</source>
        <translation>Vorlage B.</translation>
    </message>
    <message>
        <source>kadr</source>
        <translation>Drucke</translation>
    </message>
    <message>
        <source>kavh</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>kaad</source>
        <translation>Drucke ges.</translation>
    </message>
    <message>
        <source>mdrpr</source>
        <translation>Preis/Druck</translation>
    </message>
    <message>
        <source>mfarbw</source>
        <translation>Farbwechsel</translation>
    </message>
</context>
<context>
    <name>ListReport kunde</name>
    <message>
        <source>kaid</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>kid</source>
        <translation>Kundennr.</translation>
    </message>
    <message>
        <source>kname</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>kzhand</source>
        <translation>z. Hd.</translation>
    </message>
    <message>
        <source>kstr</source>
        <translation>Straße</translation>
    </message>
    <message>
        <source>kplz</source>
        <translation>PLZ</translation>
    </message>
    <message>
        <source>kort</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>krab</source>
        <translation>Rabatt %</translation>
    </message>
    <message>
        <source>ktel</source>
        <translation>Telefon</translation>
    </message>
    <message>
        <source>kfax</source>
        <translation>Fax</translation>
    </message>
    <message>
        <source>kfunk</source>
        <translation>Mobil</translation>
    </message>
    <message>
        <source>kemail</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>khttp</source>
        <translation>Internet</translation>
    </message>
    <message>
        <source>rech</source>
        <translation>Rechnung</translation>
    </message>
    <message>
        <source>asgpr</source>
        <translation>Umsatz</translation>
    </message>
    <message>
        <source>angebot</source>
        <translation>Angebot</translation>
    </message>
</context>
<context>
    <name>ListReport maschin</name>
    <message>
        <source>maid</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>mid</source>
        <translation>interne ID</translation>
    </message>
    <message>
        <source>mbez</source>
        <translation>Bezeichnung</translation>
    </message>
    <message>
        <source>mform</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>mmax</source>
        <translation>Länge mm</translation>
    </message>
    <message>
        <source>mmin</source>
        <translation>Breite mm</translation>
    </message>
    <message>
        <source>mfarb</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>dzmax</source>
        <translation>Drucke/h max.</translation>
    </message>
    <message>
        <source>dzmin</source>
        <translation>Drucke/h min.</translation>
    </message>
    <message>
        <source>mdrpr</source>
        <translation>Preis/Druck</translation>
    </message>
    <message>
        <source>mfarbw</source>
        <translation>Farbwechsel</translation>
    </message>
</context>
<context>
    <name>ListReport papier</name>
    <message>
        <source>apap</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>ipap</source>
        <translation>interne ID</translation>
    </message>
    <message>
        <source>pbez</source>
        <translation>Bezeichnung</translation>
    </message>
    <message>
        <source>ppr</source>
        <translation>Preis</translation>
    </message>
    <message>
        <source>pein</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>pmax</source>
        <translation>max. mm</translation>
    </message>
    <message>
        <source>pmin</source>
        <translation>min. mm</translation>
    </message>
    <message>
        <source>pgew</source>
        <translation>Gewicht</translation>
    </message>
    <message>
        <source>lief 1</source>
        <translation>Lieferant 1</translation>
    </message>
    <message>
        <source>lief 2</source>
        <translation>Lieferant 2</translation>
    </message>
    <message>
        <source>lief 3</source>
        <translation>Lieferant 3</translation>
    </message>
</context>
<context>
    <name>ListReport satz</name>
    <message>
        <source>said</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>sid</source>
        <translation>interne ID</translation>
    </message>
    <message>
        <source>asbez</source>
        <translation>Tätigkeit</translation>
    </message>
    <message>
        <source>seinh</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>sfak</source>
        <translation>Faktor</translation>
    </message>
    <message>
        <source>spr</source>
        <translation>Preis</translation>
    </message>
</context>
<context>
    <name>ListReport text</name>
    <message>
        <source>txid</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>fstat</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>txbez</source>
        <translation>Kurzbeschreibung</translation>
    </message>
    <message>
        <source>tx 1</source>
        <translation>Text 1</translation>
    </message>
    <message>
        <source>tx 2</source>
        <translation>Text 2</translation>
    </message>
    <message>
        <source>skpro</source>
        <translation>Skonto %</translation>
    </message>
    <message>
        <source>sktage</source>
        <translation>Sk.-Tage</translation>
    </message>
    <message>
        <source>zaziel</source>
        <translation>Zahlungsziel</translation>
    </message>
</context>
<context>
    <name>ListReport transport</name>
    <message>
        <source>taid</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>atbez</source>
        <translation>Transportart</translation>
    </message>
    <message>
        <source>atpr</source>
        <translation>Preis</translation>
    </message>
    <message>
        <source>sein</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>atfak</source>
        <translation>Zuschlag</translation>
    </message>
</context>
<context>
    <name>ListWindow</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>KUN:Keyid</source>
        <translation>sortiert n. Kundennummer</translation>
    </message>
    <message>
        <source>KUN:Keykaid</source>
        <translation>sortiert n. lfd. Nummer</translation>
    </message>
    <message>
        <source>PAP:Keyapap</source>
        <translation>sortiert n. lfd. Nummer</translation>
    </message>
    <message>
        <source>MAS:Keymaid</source>
        <translation>sortiert n. lfd. Nummer</translation>
    </message>
    <message>
        <source>ARB:Keyaaid</source>
        <translation>sortiert n. lfd. Nummer</translation>
    </message>
    <message>
        <source>Browse the kaldruck File</source>
        <translation>Übersicht - Kalkulationen</translation>
    </message>
    <message>
        <source>KAD:Keyaufid</source>
        <translation>Kalkulationen zum Auftrag</translation>
    </message>
    <message>
        <source>KAD:Keyadid</source>
        <translation>sortiert n. interner Nummer</translation>
    </message>
    <message>
        <source>kaid</source>
        <translation>lfd. Nr.</translation>
    </message>
    <message>
        <source>fid</source>
        <translation>Auftrag (intern)</translation>
    </message>
    <message>
        <source>abez</source>
        <translation>Bezeichnung</translation>
    </message>
    <message>
        <source>kaal</source>
        <translation>Stück je Sorte</translation>
    </message>
    <message>
        <source>kaso</source>
        <translation>Sorten</translation>
    </message>
    <message>
        <source>kafarbe</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>kay</source>
        <translation>Nutzen Länge</translation>
    </message>
    <message>
        <source>kax</source>
        <translation>Nutzen Breite</translation>
    </message>
    <message>
        <source>AUF:Keykuid</source>
        <translation>sortiert n. Kunde/ Status</translation>
    </message>
    <message>
        <source>AUF:Keyfnr</source>
        <translation>sortiert n. Auftragsnummer</translation>
    </message>
    <message>
        <source>AUF:Keyfaid</source>
        <translation>sortiert n. lfd. Nummer</translation>
    </message>
    <message>
        <source>Browse the anach File</source>
        <translation>Übersicht - Zusatzarbeiten</translation>
    </message>
    <message>
        <source>ANA:Keydidauf</source>
        <translation>Zusatzarbeiten zum Auftrag</translation>
    </message>
    <message>
        <source>ANA:Keydaid</source>
        <translation>sortiert n. lfd. Nummer</translation>
    </message>
    <message>
        <source>anaid</source>
        <translation>lfd. Nr.</translation>
    </message>
    <message>
        <source>anid</source>
        <translation>interne Nr.</translation>
    </message>
    <message>
        <source>anidauf</source>
        <translation>Auftrag (intern)</translation>
    </message>
    <message>
        <source>apr</source>
        <translation>Preis/ EUR</translation>
    </message>
    <message>
        <source>anein</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>asanz</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>azeit</source>
        <translation>Faktor</translation>
    </message>
    <message>
        <source>angpr</source>
        <translation>Gesamtpreis/ EUR</translation>
    </message>
    <message>
        <source>Browse the atran File</source>
        <translation>Übersicht - Transporte</translation>
    </message>
    <message>
        <source>ATR:Keytaid</source>
        <translation>sortiert n. lfd. Nummer</translation>
    </message>
    <message>
        <source>ATR:Keytid</source>
        <translation>sortiert n. interner Nummer</translation>
    </message>
    <message>
        <source>ATR:Kaufid</source>
        <translation>sortiert n. Auftrag</translation>
    </message>
    <message>
        <source>ATR:Keytbez</source>
        <translation>sortiert n. Transportart</translation>
    </message>
    <message>
        <source>ataid</source>
        <translation>lfd. Nr.</translation>
    </message>
    <message>
        <source>atid</source>
        <translation>interne Nr.</translation>
    </message>
    <message>
        <source>atbez</source>
        <translation>Transportart</translation>
    </message>
    <message>
        <source>atpr</source>
        <translation>Preis/ EUR</translation>
    </message>
    <message>
        <source>sein</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>atfak</source>
        <translation>Zuschlag</translation>
    </message>
    <message>
        <source>asgpr</source>
        <translation>Gesamtpreis/ EUR</translation>
    </message>
    <message>
        <source>Browse the aufpap File</source>
        <translation>Übersicht - Papierpositionen</translation>
    </message>
    <message>
        <source>APA:Keyapaid</source>
        <translation>sortiert n. lfd. Nummer</translation>
    </message>
    <message>
        <source>APA:Keyapid</source>
        <translation>sortiert n. interner Nummer</translation>
    </message>
    <message>
        <source>APA:Kaufid</source>
        <translation>sortiert n. Auftrag</translation>
    </message>
    <message>
        <source>apaid</source>
        <translation>lfd. Nr.</translation>
    </message>
    <message>
        <source>apid</source>
        <translation>interne Nr.</translation>
    </message>
    <message>
        <source>pbez</source>
        <translation>Papier</translation>
    </message>
    <message>
        <source>ppr</source>
        <translation>Preis/ EUR</translation>
    </message>
    <message>
        <source>apfor</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>apanz</source>
        <translation>Menge (VPE)</translation>
    </message>
    <message>
        <source>apendpr</source>
        <translation>Gesamtpreis/ EUR</translation>
    </message>
    <message>
        <source>Browse the asatz File</source>
        <translation>Übersicht - Satz-/ Verarbeitungspositionen</translation>
    </message>
    <message>
        <source>ASA:Keyasaufid</source>
        <translation>Satz-/ Verarbeitung zum Auftrag</translation>
    </message>
    <message>
        <source>ASA:Keyasaid</source>
        <translation>sortiert n. lfd. Nummer</translation>
    </message>
    <message>
        <source>asaid</source>
        <translation>lfd. Nr.</translation>
    </message>
    <message>
        <source>asid</source>
        <translation>interne Nr.</translation>
    </message>
    <message>
        <source>asaufid</source>
        <translation>Auftrag (intern)</translation>
    </message>
    <message>
        <source>asbez</source>
        <translation>Tätigkeit</translation>
    </message>
    <message>
        <source>asfak</source>
        <translation>Faktor</translation>
    </message>
    <message>
        <source>aspr</source>
        <translation>Preis/ EUR</translation>
    </message>
    <message>
        <source>SAT:Keysaid</source>
        <translation>sortiert n. lfd. Nummer</translation>
    </message>
    <message>
        <source>LIE:Keyliad</source>
        <translation>sortiert n. lfd. Nummer</translation>
    </message>
    <message>
        <source>Select a auftrag Record</source>
        <translation>Auftrag auswählen</translation>
    </message>
    <message>
        <source>AUF:Keyfid</source>
        <translation>sortiert n. Auftragsdatum</translation>
    </message>
    <message>
        <source>AUF:Keyfname</source>
        <translation>sortiert n. Kunde/ Firma</translation>
    </message>
    <message>
        <source>AUF:Keystatus</source>
        <translation>sortiert n. Status</translation>
    </message>
    <message>
        <source>faid</source>
        <translation>lfd. Nr.</translation>
    </message>
    <message>
        <source>fnr</source>
        <translation>Auftr.-Nummer</translation>
    </message>
    <message>
        <source>fdatum</source>
        <translation>Auftr.-Datum</translation>
    </message>
    <message>
        <source>fstat</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>kid</source>
        <translation>Kundennummer</translation>
    </message>
    <message>
        <source>kname</source>
        <translation>Kunde/ Firma</translation>
    </message>
    <message>
        <source>fandat</source>
        <translation>Angebotsdatum</translation>
    </message>
    <message>
        <source>fliefs</source>
        <translation>Lieferdatum</translation>
    </message>
    <message>
        <source>Select a kunde Record</source>
        <translation>Kunde auswählen</translation>
    </message>
    <message>
        <source>KUN:Keykname</source>
        <translation>sortiert n. Namen</translation>
    </message>
    <message>
        <source>KUN:Keykort</source>
        <translation>sortiert n. Ort</translation>
    </message>
    <message>
        <source>KUN:Keykplz</source>
        <translation>sortiert n. PLZ</translation>
    </message>
    <message>
        <source>kzhand</source>
        <translation>z. Hd.</translation>
    </message>
    <message>
        <source>kstr</source>
        <translation>Straße</translation>
    </message>
    <message>
        <source>kplz</source>
        <translation>PLZ</translation>
    </message>
    <message>
        <source>kort</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>krab</source>
        <translation>Rabatt %</translation>
    </message>
    <message>
        <source>ktel</source>
        <translation>Telefon</translation>
    </message>
    <message>
        <source>&amp;Insert</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>&amp;Change</source>
        <translation>&amp;Ändern</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Select auftrag</source>
        <translation>Auftrag wählen</translation>
    </message>
    <message>
        <source>Select kunde</source>
        <translation>Kunde wählen</translation>
    </message>
    <message>
        <source>&amp;Select</source>
        <translation>&amp;Auswählen</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>Exit this application</source>
        <translation>Das Programm beenden</translation>
    </message>
    <message>
        <source>Setup printer</source>
        <translation>Drucker einrichten</translation>
    </message>
    <message>
        <source>Remove item to Windows Clipboard</source>
        <translation>Markierten Text in die Zwischenablage ausschneiden</translation>
    </message>
    <message>
        <source>Browse kunde</source>
        <translation>Kunden mit ihren Aufträgen</translation>
    </message>
    <message>
        <source>Browse auftrag</source>
        <translation>Alle Aufträge</translation>
    </message>
    <message>
        <source>Browse the kaldruck file</source>
        <translation>Übersicht - Kalkulationen</translation>
    </message>
    <message>
        <source>Browse kaldruck</source>
        <translation>Die Druckkalkulationen der Aufträge</translation>
    </message>
    <message>
        <source>Browse the anach file</source>
        <translation>Übersicht - Zusatzarbeiten</translation>
    </message>
    <message>
        <source>Browse anach</source>
        <translation>Die Zusatzarbeiten der Aufträge</translation>
    </message>
    <message>
        <source>Browse the atran file</source>
        <translation>Übersicht - Transporte</translation>
    </message>
    <message>
        <source>Browse atran</source>
        <translation>Die Transporte der Aufträge</translation>
    </message>
    <message>
        <source>Browse the aufpap file</source>
        <translation>Übersicht - Papierpositionen</translation>
    </message>
    <message>
        <source>Browse aufpap</source>
        <translation>Die Papierpositionen der Aufträge</translation>
    </message>
    <message>
        <source>Browse the asatz file</source>
        <translation>Übersicht - Satz-/ Verarbeitungspositionen</translation>
    </message>
    <message>
        <source>Browse asatz</source>
        <translation>Die Satz- und Verarbeitungspositionen der Kalkulationen</translation>
    </message>
    <message>
        <source>Report data</source>
        <translation>Listen und Auftragsdruck</translation>
    </message>
    <message>
        <source>Report the papier file</source>
        <translation>Übersicht Papier / Maschinen</translation>
    </message>
    <message>
        <source>Print ordered by the PAP:Keypbez key</source>
        <translation>Papiere nach Bezeichnung drucken</translation>
    </message>
    <message>
        <source>Print ordered by the MAS:Keymbez key</source>
        <translation>Maschinen nach Bezeichnung drucken</translation>
    </message>
    <message>
        <source>Report Maschinenübersicht</source>
        <translation>Maschinenübersicht</translation>
    </message>
    <message>
        <source>Report the arbeit file</source>
        <translation>Übersicht weitere Arbeiten</translation>
    </message>
    <message>
        <source>Print by ARB:Keyabez key</source>
        <translation>nach Bezeichnung</translation>
    </message>
    <message>
        <source>Print by KAD:Keyaufid key</source>
        <translation>nach Auftrag</translation>
    </message>
    <message>
        <source>Print by KAD:Keyadid key</source>
        <translation>nach interner Nummer</translation>
    </message>
    <message>
        <source>Print by KUN:Keykname key</source>
        <translation>nach Namen</translation>
    </message>
    <message>
        <source>Print by KUN:Keykort key</source>
        <translation>nach Ort</translation>
    </message>
    <message>
        <source>Print by KUN:Keykplz key</source>
        <translation>nach PLZ</translation>
    </message>
    <message>
        <source>Print by AUF:Keykuid key</source>
        <translation>nach Kunde/ Status</translation>
    </message>
    <message>
        <source>Print by AUF:Keyfid key</source>
        <translation>Rechnung des zuletzt geöffneten Auftrags</translation>
    </message>
    <message>
        <source>Print by AUF:Keyfname key</source>
        <translation>nach Auftragsdatum</translation>
    </message>
    <message>
        <source>Print by AUF:Keyfnr key</source>
        <translation>nach Auftragsnummer</translation>
    </message>
    <message>
        <source>Print by AUF:Keyfaid key</source>
        <translation>nach lfd. Nummer</translation>
    </message>
    <message>
        <source>Print by AUF:Keystatus key</source>
        <translation>nach Status</translation>
    </message>
    <message>
        <source>Report the anach file</source>
        <translation>Übersicht Zusatzarbeiten</translation>
    </message>
    <message>
        <source>Print by ANA:Keydidauf key</source>
        <translation>nach Auftrag</translation>
    </message>
    <message>
        <source>Print by ANA:Keydaid key</source>
        <translation>nach lfd. Nummer</translation>
    </message>
    <message>
        <source>Report the atran file</source>
        <translation>Übersicht Transporte</translation>
    </message>
    <message>
        <source>Print by ATR:Keytaid key</source>
        <translation>nach lfd. Nummer</translation>
    </message>
    <message>
        <source>Print by ATR:Keytid key</source>
        <translation>nach interner Nummer</translation>
    </message>
    <message>
        <source>Print by ATR:Kaufid key</source>
        <translation>nach Auftrag</translation>
    </message>
    <message>
        <source>Print by ATR:Keytbez key</source>
        <translation>nach Transportart</translation>
    </message>
    <message>
        <source>Report the aufpap file</source>
        <translation>Übersicht Papierpositionen</translation>
    </message>
    <message>
        <source>Print by APA:Keyapaid key</source>
        <translation>nach lfd. Nummer</translation>
    </message>
    <message>
        <source>Print by APA:Keyapid key</source>
        <translation>nach interner Nummer</translation>
    </message>
    <message>
        <source>Print by APA:Kaufid key</source>
        <translation>nach Auftrag</translation>
    </message>
    <message>
        <source>Report the asatz file</source>
        <translation>Übersicht Satz-/ Verarbeitungspositionen</translation>
    </message>
    <message>
        <source>Print by ASA:Keyasaufid key</source>
        <translation>nach Auftrag</translation>
    </message>
    <message>
        <source>Print by ASA:Keyasaid key</source>
        <translation>nach lfd. Nummer</translation>
    </message>
    <message>
        <source>Report the satz file</source>
        <translation>Übersicht Satz-/ Verarbeitungskosten</translation>
    </message>
    <message>
        <source>Print by SAT:Keysbez key</source>
        <translation>nach Tätigkeit</translation>
    </message>
    <message>
        <source>Print by TRA:Keytaid key</source>
        <translation>Übersicht Transportkosten</translation>
    </message>
    <message>
        <source>Report the text file</source>
        <translation>Übersicht Texte</translation>
    </message>
    <message>
        <source>Print by TEX:Keytxstat key</source>
        <translation>nach Textart</translation>
    </message>
    <message>
        <source>Print by TEX:Keytxid key</source>
        <translation>nach Kennung</translation>
    </message>
    <message>
        <source>Browse maschin</source>
        <translation>Die Druckmaschinen</translation>
    </message>
    <message>
        <source>Browse papier</source>
        <translation>Die Papiersorten</translation>
    </message>
    <message>
        <source>Browse satz</source>
        <translation>Satz- und Verarbeitungstätigkeiten</translation>
    </message>
    <message>
        <source>Browse arbeit</source>
        <translation>Weitere Arbeiten je Auftrag</translation>
    </message>
    <message>
        <source>Browse transport</source>
        <translation>Transportarten und -kosten</translation>
    </message>
    <message>
        <source>Browse text</source>
        <translation>Texte für Angebot, Lieferschein und Rechnung</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>Create and Arrange windows</source>
        <translation>Fenster anordnen</translation>
    </message>
    <message>
        <source>T&amp;ile</source>
        <translation>&amp;Nebeneinander</translation>
    </message>
    <message>
        <source>Make all open windows visible</source>
        <translation>Alle offenen Fenster nebeneinander zeigen</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>Über&amp;lappend</translation>
    </message>
    <message>
        <source>Stack all open windows</source>
        <translation>Alle offenen Fenster überlappend anordnen</translation>
    </message>
    <message>
        <source>&amp;Arrange Icons</source>
        <translation>&amp;Symbole anordnen</translation>
    </message>
    <message>
        <source>Align all window icons</source>
        <translation>Die verkleinerten Fenster am unteren Rand aufreihen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Windows Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>View the contents of the help file</source>
        <translation>Den Inhalt der Hilfe zeigen</translation>
    </message>
    <message>
        <source>&amp;Search for Help On...</source>
        <translation>Hilfe &amp;durchsuchen...</translation>
    </message>
    <message>
        <source>Search for help on a subject</source>
        <translation>Die Hilfe nach einem Begriff durchsuchen</translation>
    </message>
    <message>
        <source>&amp;How to Use Help</source>
        <translation>&amp;Bedienung der Hilfe</translation>
    </message>
    <message>
        <source>How to use Windows Help</source>
        <translation>Wie die Hilfe bedient wird</translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>  Press OK to end this application</source>
        <translation>  Mit OK wird das Programm beendet.</translation>
    </message>
    <message>
        <source>Record Retrieval Error</source>
        <translation>Fehler beim Lesen</translation>
    </message>
    <message>
        <source>Error: (%ErrorText) attempting to access a record from the %File file.  Returning to previous window.</source>
        <translation>Fehler: (%ErrorText) beim Lesen eines Datensatzes der Datei %File.  Zurück zum vorigen Fenster.</translation>
    </message>
    <message>
        <source>Access Denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>Could not get write access to %File so trying read-only.</source>
        <translation>Die Datei %File kann nicht beschrieben werden; sie wird nur zum Lesen geöffnet.</translation>
    </message>
    <message>
        <source>Record Added</source>
        <translation>Datensatz gespeichert</translation>
    </message>
    <message>
        <source>This record has been added to the file. Do you want to add another record?</source>
        <translation>Der Datensatz wurde gespeichert. Möchten Sie einen weiteren Datensatz anlegen?</translation>
    </message>
    <message>
        <source>Record Insert Error</source>
        <translation>Fehler beim Anlegen</translation>
    </message>
    <message>
        <source>An error was experienced during the creation of a record. Error: %ErrorText.</source>
        <translation>Beim Anlegen des Datensatzes ist ein Fehler aufgetreten. Fehler: %ErrorText.</translation>
    </message>
    <message>
        <source>Add New Record?</source>
        <translation>Neuen Datensatz anlegen?</translation>
    </message>
    <message>
        <source>Record match not found, do you wish to add a new one?</source>
        <translation>Kein passender Datensatz gefunden. Möchten Sie einen neuen anlegen?</translation>
    </message>
    <message>
        <source>Record Was Not Updated</source>
        <translation>Datensatz nicht gespeichert</translation>
    </message>
    <message>
        <source>This record was changed by another station.</source>
        <translation>Dieser Datensatz wurde inzwischen an einem anderen Arbeitsplatz geändert.</translation>
    </message>
    <message>
        <source>This record was changed by another station. Those changes will now be displayed. Use the Ditto Button or Ctrl+&apos; to recall your changes.</source>
        <translation>Dieser Datensatz wurde inzwischen an einem anderen Arbeitsplatz geändert. Diese Änderungen werden jetzt angezeigt. Mit der Schaltfläche „Wert zurückholen“ oder Strg+&apos; holen Sie Ihre Eingaben zurück.</translation>
    </message>
    <message>
        <source>Confirm Delete</source>
        <translation>Löschen bestätigen</translation>
    </message>
    <message>
        <source>File Creation Error</source>
        <translation>Datei nicht angelegt</translation>
    </message>
    <message>
        <source>Error: (%ErrorText) creating %File.</source>
        <translation>Fehler: (%ErrorText) beim Anlegen der Datei %File.</translation>
    </message>
    <message>
        <source>Record was not deleted</source>
        <translation>Datensatz nicht gelöscht</translation>
    </message>
    <message>
        <source>An error (%ErrorText) was experienced when deleting a record from the %File file.</source>
        <translation>Beim Löschen eines Datensatzes der Datei %File ist ein Fehler aufgetreten (%ErrorText).</translation>
    </message>
    <message>
        <source>Invalid Request</source>
        <translation>Nicht möglich</translation>
    </message>
    <message>
        <source>This form cannot be used to delete a record</source>
        <translation>Mit diesem Formular kann kein Datensatz gelöscht werden.</translation>
    </message>
    <message>
        <source>Duplicate Key Error</source>
        <translation>Doppelter Schlüssel</translation>
    </message>
    <message>
        <source>Adding this record creates a duplicate entry for the key: %Message</source>
        <translation>Dieser Datensatz ergäbe einen doppelten Eintrag im Schlüssel: %Message</translation>
    </message>
    <message>
        <source>Field contents error</source>
        <translation>Unzulässiger Feldinhalt</translation>
    </message>
    <message>
        <source>The value of %Field must be found in the %Message file.</source>
        <translation>Der Wert von %Field muss in der Datei %Message vorhanden sein.</translation>
    </message>
    <message>
        <source>Value Error</source>
        <translation>Unzulässiger Wert</translation>
    </message>
    <message>
        <source>The value of %Field must be in the list : %Message.</source>
        <translation>Der Wert von %Field muss einer dieser sein: %Message.</translation>
    </message>
    <message>
        <source>Range Error</source>
        <translation>Wert außerhalb des Bereichs</translation>
    </message>
    <message>
        <source>The value of %Field must be between %Message.</source>
        <translation>Der Wert von %Field muss zwischen %Message liegen.</translation>
    </message>
    <message>
        <source>The value of %Field must be lower than %Message.</source>
        <translation>Der Wert von %Field muss kleiner als %Message sein.</translation>
    </message>
    <message>
        <source>The value of %Field must be higher than %Message.</source>
        <translation>Der Wert von %Field muss größer als %Message sein.</translation>
    </message>
    <message>
        <source>File Load Error</source>
        <translation>Datei nicht geladen</translation>
    </message>
    <message>
        <source>%File File Load Error.  Error: %ErrorText.</source>
        <translation>Die Datei %File konnte nicht geladen werden.  Fehler: %ErrorText.</translation>
    </message>
    <message>
        <source>This form cannot be used to insert a record</source>
        <translation>Mit diesem Formular kann kein Datensatz angelegt werden.</translation>
    </message>
    <message>
        <source>Transaction cancelled</source>
        <translation>Vorgang abgebrochen</translation>
    </message>
    <message>
        <source>Error: (%ErrorText) attempting to frame the transaction on %File.</source>
        <translation>Fehler: (%ErrorText) beim Beginnen des Vorgangs auf der Datei %File.</translation>
    </message>
    <message>
        <source>No Records</source>
        <translation>Keine Datensätze</translation>
    </message>
    <message>
        <source>There are no records available to process.</source>
        <translation>Es sind keine Datensätze zum Verarbeiten vorhanden.</translation>
    </message>
    <message>
        <source>File Access Error</source>
        <translation>Dateizugriff nicht möglich</translation>
    </message>
    <message>
        <source>File (%File) could not be opened.  Error: %ErrorText.</source>
        <translation>Die Datei (%File) konnte nicht geöffnet werden.  Fehler: %ErrorText.</translation>
    </message>
    <message>
        <source>Procedure not defined</source>
        <translation>Programmteil fehlt</translation>
    </message>
    <message>
        <source>The Procedure %Message has not been defined.</source>
        <translation>Der Programmteil %Message ist nicht vorhanden.</translation>
    </message>
    <message>
        <source>Record was not updated</source>
        <translation>Datensatz nicht geändert</translation>
    </message>
    <message>
        <source>An error (%ErrorText) was experienced when making changes to the %File file.</source>
        <translation>Beim Ändern der Datei %File ist ein Fehler aufgetreten (%ErrorText).</translation>
    </message>
    <message>
        <source>Key was not built</source>
        <translation>Schlüssel nicht aufgebaut</translation>
    </message>
    <message>
        <source>Error: (%ErrorText) repairing key for %File.</source>
        <translation>Fehler: (%ErrorText) beim Neuaufbau des Schlüssels der Datei %File.</translation>
    </message>
    <message>
        <source>Invalid Key</source>
        <translation>Schlüssel beschädigt</translation>
    </message>
    <message>
        <source>%File key file is invalid. Key must be rebuilt.</source>
        <translation>Der Schlüssel der Datei %File ist beschädigt und muss neu aufgebaut werden.</translation>
    </message>
    <message>
        <source>Record not read</source>
        <translation>Datensatz nicht gelesen</translation>
    </message>
    <message>
        <source>A record held by another station was encountered reading from the %File file.</source>
        <translation>Beim Lesen der Datei %File war ein Datensatz von einem anderen Arbeitsplatz gesperrt.</translation>
    </message>
    <message>
        <source>Referential Integrity Delete Error</source>
        <translation>Löschen nicht möglich</translation>
    </message>
    <message>
        <source>This record is referenced from the file %File. This record cannot be deleted while these references exist.</source>
        <translation>Auf diesen Datensatz verweisen Einträge der Datei %File. Solange es sie gibt, kann er nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>Referential Integrity Update Error</source>
        <translation>Ändern nicht möglich</translation>
    </message>
    <message>
        <source>This record is referenced from the file %File. Linking field(s) have been restricted from change and have been reset to original values.</source>
        <translation>Auf diesen Datensatz verweisen Einträge der Datei %File. Die verknüpfenden Felder dürfen nicht geändert werden und wurden auf ihre ursprünglichen Werte zurückgesetzt.</translation>
    </message>
    <message>
        <source>Auto Increment Error</source>
        <translation>Automatische Nummerierung fehlgeschlagen</translation>
    </message>
    <message>
        <source>Attempts to automatically number this record have failed.  Error: %ErrorText. Try Again?</source>
        <translation>Der Datensatz konnte nicht automatisch nummeriert werden.  Fehler: %ErrorText. Noch einmal versuchen?</translation>
    </message>
    <message>
        <source>Record Delete Error</source>
        <translation>Fehler beim Löschen</translation>
    </message>
    <message>
        <source>An error was experienced deleting this record. Do you want to try to delete it again?</source>
        <translation>Beim Löschen dieses Datensatzes ist ein Fehler aufgetreten. Möchten Sie es noch einmal versuchen?</translation>
    </message>
    <message>
        <source>Record Update Error</source>
        <translation>Fehler beim Speichern</translation>
    </message>
    <message>
        <source>An error was experienced changing this record. Do you want to try to save again?</source>
        <translation>Beim Speichern dieses Datensatzes ist ein Fehler aufgetreten. Möchten Sie es noch einmal versuchen?</translation>
    </message>
    <message>
        <source>Save Record</source>
        <translation>Datensatz speichern</translation>
    </message>
    <message>
        <source>Beginning of File Error</source>
        <translation>Anfang der Datei erreicht</translation>
    </message>
    <message>
        <source>The beginning of the file was encountered. Do you want to start again from the end of the file?</source>
        <translation>Der Anfang der Datei ist erreicht. Möchten Sie am Ende der Datei weitermachen?</translation>
    </message>
    <message>
        <source>End of File Error</source>
        <translation>Ende der Datei erreicht</translation>
    </message>
    <message>
        <source>The end of the file was encountered. Do you want to start again from the beginning?</source>
        <translation>Das Ende der Datei ist erreicht. Möchten Sie am Anfang der Datei weitermachen?</translation>
    </message>
    <message>
        <source>This form cannot be used to update a record</source>
        <translation>Mit diesem Formular kann kein Datensatz geändert werden.</translation>
    </message>
    <message>
        <source>File Usage Error</source>
        <translation>Datei nicht geöffnet</translation>
    </message>
    <message>
        <source>Attempt to use file (%File) before it was opened</source>
        <translation>Die Datei (%File) wurde benutzt, bevor sie geöffnet war.</translation>
    </message>
    <message>
        <source>View Open Error</source>
        <translation>Ansicht nicht geöffnet</translation>
    </message>
    <message>
        <source>Error: (%ErrorText) attempting to open the current VIEW. Filter and Range Limits ignored.</source>
        <translation>Fehler: (%ErrorText) beim Öffnen der Ansicht. Filter und Bereichsgrenzen bleiben unbeachtet.</translation>
    </message>
    <message>
        <source>Unsupported QBE Column</source>
        <translation>Abfragespalte nicht unterstützt</translation>
    </message>
    <message>
        <source>The saved QBE column, %Field is not supported. It will be dropped from the query.</source>
        <translation>Die gespeicherte Abfragespalte %Field wird nicht unterstützt und aus der Abfrage entfernt.</translation>
    </message>
</context>
<context>
    <name>Preview</name>
    <message>
        <source>Change the Report Display</source>
        <translation>Anzeige des Berichts ändern</translation>
    </message>
    <message>
        <source>Pages Displayed</source>
        <translation>Angezeigte Seiten</translation>
    </message>
    <message>
        <source>Across</source>
        <translation>Nebeneinander</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Untereinander</translation>
    </message>
</context>
<context>
    <name>ProcedureThreads</name>
    <message>
        <source>unknown exception</source>
        <translation>unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Progress...</source>
        <translation>Fortschritt ...</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>ResultCode</name>
    <message>
        <source>No Error</source>
        <translation>Kein Fehler</translation>
    </message>
    <message>
        <source>File Not Found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>Access Denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>Record Not Available</source>
        <translation>Datensatz nicht vorhanden</translation>
    </message>
    <message>
        <source>Creates Duplicate Key</source>
        <translation>Doppelter Schlüssel</translation>
    </message>
    <message>
        <source>Record Is Already Held</source>
        <translation>Datensatz ist gesperrt</translation>
    </message>
    <message>
        <source>Invalid Key File</source>
        <translation>Schlüssel beschädigt</translation>
    </message>
    <message>
        <source>File Already Open</source>
        <translation>Datei ist bereits geöffnet</translation>
    </message>
    <message>
        <source>Function Not Supported</source>
        <translation>Funktion nicht unterstützt</translation>
    </message>
    <message>
        <source>Record Changed By Another Station</source>
        <translation>An einem anderen Arbeitsplatz geändert</translation>
    </message>
    <message>
        <source>File System Error</source>
        <translation>Fehler im Dateisystem</translation>
    </message>
    <message>
        <source>Unknown Error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>Toolbar</name>
    <message>
        <source>Insert a new Record</source>
        <translation>Neuen Datensatz anlegen</translation>
    </message>
    <message>
        <source>Change the Record</source>
        <translation>Datensatz ändern</translation>
    </message>
    <message>
        <source>Delete the Record</source>
        <translation>Datensatz löschen</translation>
    </message>
    <message>
        <source>Select the Record</source>
        <translation>Datensatz auswählen</translation>
    </message>
    <message>
        <source>Go to the Last Page</source>
        <translation>Zur letzten Seite</translation>
    </message>
    <message>
        <source>Go to the First Page</source>
        <translation>Zur ersten Seite</translation>
    </message>
    <message>
        <source>Go to the Next Page</source>
        <translation>Zur nächsten Seite</translation>
    </message>
    <message>
        <source>Go to the Prior Page</source>
        <translation>Zur vorigen Seite</translation>
    </message>
    <message>
        <source>Go to the Next Record</source>
        <translation>Zum nächsten Datensatz</translation>
    </message>
    <message>
        <source>Go to the Prior Record</source>
        <translation>Zum vorigen Datensatz</translation>
    </message>
    <message>
        <source>Locate a Record</source>
        <translation>Datensatz suchen</translation>
    </message>
    <message>
        <source>Recall the last saved Value</source>
        <translation>Zuletzt gespeicherten Wert zurückholen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
</context>
</TS>
