#!/usr/bin/env python3
"""Writes the seed corpora and dictionaries of the format fuzz targets.

Usage: make_seeds.py OUT_DIR
Creates OUT_DIR/seed-<target>/ (one file per seed) and OUT_DIR/<target>.dict
for markup, rtf, binary_document, office_package, scenario_file,
scenario_layer, settings, parameters, external_request, text_analysis and
criteria_parser.
Every seed is made up here; the first byte of each seed of the format and
text targets is the target's selector byte, the file seeds (scenario,
settings, parameters, request) are whole files. The settings seeds are
derived from the records the settings code wrote into OUT_DIR/seed-settings
beforehand (run.sh has fuzz_settings write them): damaged copies of the
first of them are added beside them.
"""
import io
import os
import struct
import sys
import zipfile


def write_corpus(out, target, seeds):
    folder = os.path.join(out, "seed-" + target)
    os.makedirs(folder, exist_ok=True)
    for i, (selector, body) in enumerate(seeds):
        if isinstance(body, str):
            body = body.encode("cp1250", errors="replace")
        with open(os.path.join(folder, "%s-%02d" % (target, i)), "wb") as f:
            f.write(bytes([selector]) + body)


def write_files(out, target, files):
    """Seeds that are whole files, without a selector byte."""
    folder = os.path.join(out, "seed-" + target)
    os.makedirs(folder, exist_ok=True)
    for i, body in enumerate(files):
        if isinstance(body, str):
            body = cp1250(body)
        with open(os.path.join(folder, "%s-%02d" % (target, i)), "wb") as f:
            f.write(body)


def write_dict(out, target, tokens):
    with open(os.path.join(out, target + ".dict"), "w", encoding="ascii") as f:
        for t in tokens:
            if isinstance(t, str):
                t = t.encode("latin-1")  # a character per byte
            escaped = "".join(chr(c) if 32 <= c < 127 and chr(c) not in '"\\' else "\\x%02X" % c for c in t)
            f.write('"%s"\n' % escaped)


# ---- Markup (selector: type = byte % 3 (HTML, XML, SGML), block size from byte / 3)

HTML = """<html><head><meta http-equiv="Content-Type" content="text/html; charset=windows-1250">
<title>Povestea</title><style>p { color: red }</style><script>var a = "<p>nu</p>";</script></head>
<body><h1>Capitolul &#206;nt&acirc;i</h1><p>A fost odat&atilde; ca &icirc;n pove&#x219;ti, <b>un</b>
<i>&#238;mp&#259;rat</i> &amp; o &quot;&icirc;mp&#259;r&#259;teas&#259;&quot;.</p>
<div>Pre&#539; 5&euro; &nbsp;&copy;&reg;&trade;</div><table><tr><td>celula</td></tr></table><br/>
&lsquo;ghilimele&rsquo; &mdash; &ndash; &szlig;&aring;&ccedil;&ntilde; &lt;tag&gt;</body></html>"""
XML = """<?xml version="1.0" encoding="utf-8"?>
<carte><titlu>Amintiri din copil\u0103rie</titlu><capitol nr="1">Stau c\u00e2teodat\u0103 \u0219i-mi aduc aminte
&#259; &#x21B; <![CDATA[ceva <brut>]]></capitol><x:bindata>QUJDREVG</x:bindata><p>Sf\u00e2r\u0219it</p></carte>"""
SGML = "<!DOCTYPE doc SYSTEM 'doc.dtd'><doc><para>Un text &eacute;l&egrave;ve &uuml;ber</para><para/></doc>"


def markup_seeds():
    seeds = [
        (0, HTML),
        (3 * 5, HTML),
        (1, XML.encode("utf-8")),
        (1 + 3 * 7, XML.encode("utf-8")),
        (2, SGML),
        (0, b"\xef\xbb\xbf" + "<p>Cu marc\u0103 UTF-8: \u0219\u021b</p>".encode("utf-8")),
        (0, b"\xff\xfe" + "<p>UTF-16 \u0103\u00ee\u00e2</p>".encode("utf-16-le")),
        (3, "<p>UTF-16 f\u0103r\u0103 marc\u0103</p>".encode("utf-16-be")),
        (1, '<?xml version="1.0" encoding="UTF-16"?><a>\u0219</a>'.encode("utf-16-le")),
        (0, '<meta charset="iso-8859-2"><p>\xe2\xee</p>'.encode("latin-1")),
        (0, '<meta charset="utf-32"><p>x</p>'),
        (0, "&amp&lt;&gt &#65 &#x41;&#99999; &foo; &" + "a" * 300 + ";"),
    ]
    tokens = ["<", ">", "</", "/>", "&", ";", "&#", "&#x", "<meta", "charset=", "content-type", "<?xml",
              "encoding=", "?>", "utf-8", "utf-16", "utf-32", "ucs-2", "iso-10646", "iso-8859-2", "<script>",
              "</script>", "<style>", "</style>", "<b>", "</b>", "<i>", "</p>", "</div>", "</h1>", "</td>",
              "<x:bindata>", "nbsp", "amp", "quot", "acute", "grave", "circ", "uml", "tilde", "euro",
              "\xef\xbb\xbf", "\xff\xfe", "\xfe\xff"]
    return seeds, tokens


# ---- RTF (selector: block size = 1 + byte % 16)

RTF = (r"{\rtf1\ansi\ansicpg1250\deff0{\fonttbl{\f0\fswiss\fcharset238 Arial;}{\f1\froman Times;}}"
       r"{\colortbl;\red0\green0\blue0;}{\stylesheet{\s1\sbasedon0\snext1 Titlu;}}"
       "{\\*\\generator Riched20;}\\viewkind4\\uc1\\pard\\f0\\fs24 A fost odat\\'e3 ca \\'een pove\\u537?ti,"
       "\\par\r\n{\\b un \\i \\u238?mp\\u259?rat}\\tab \\lquote x\\rquote  \\ldblquote y\\rdblquote\\line\r\n"
       "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt leg\\'e3tur\\'e3}}\\~\\_\\-\\\\\\{\\}\\\r\n"
       "{\\pict\\wmetafile8\\picw10 0102ff}{\\object\\objemb{\\objdata 0105}}{\\bin5 {}}}x}\\cell\\par}")


def rtf_seeds():
    seeds = [
        (15, RTF),
        (0, RTF),
        (6, "{\\rtf1\\mac \\'8a\\'9a text Mac\\par}"),
        (2, "{\\rtf1\\pc \\'85\\'a0 text OEM\\par}"),
        (9, "{\\rtf1\\uc2 \\u-3937\\'3f\\'3fx\\uc0\\u259 y\\u65535 z}"),
        (4, "{{{{{{" * 50 + "ad\\'e2nc" + "}}}}}}" * 50 + "}}} sus"),
        (1, "{\\rtf1 \\bin-5 x\\bin99999999999 y}"),
    ]
    tokens = ["{\\rtf1", "\\ansi", "\\mac", "\\pc", "\\pca", "\\fonttbl", "\\f0", "\\fswiss", "\\par", "\\pard",
              "\\pict", "\\object", "\\bin", "\\bin4 ", "\\u", "\\uc1", "\\uc0", "\\'", "\\*", "\\~", "\\_",
              "\\\r\n", "\\line", "\\cell", "\\tab", "\\lquote", "\\rquote", "\\ldblquote", "\\rdblquote",
              "\\sbasedon", "\\snext", "{", "}", "\\fldinst", "\\fldrslt"]
    return seeds, tokens


# ---- Binary documents (selector: type = byte % 4 (Word, PowerPoint, Flash, Excel);
# block size: the reader's under 128, else 1 + byte % 64)

def binary_seeds():
    ole = b"\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1" + bytes(120)
    word = (ole + b"\x00" * 64 + b"MSWordDoc\x00\x10\x00\x00\x00Word.Document.8\x00" + bytes(range(0, 32)) +
            "A fost odat\u0103 ca \u00een pove\u015fti\r".encode("cp1250") + b"\x00\x01\x02bjbjAlt text aici\x00" +
            b"\xff\xfe\xfd^_`|^_`|" + b"abc\x00defg\x00" + "Sf\u00e2r\u015fit.".encode("cp1250") * 3)
    slides = bytes(600) + b"\x00\x00Titlul diapozitivului\x00\x0f\x00Un punct de lista\x00" + bytes(40)
    return [(0, word), (128, word), (1, slides), (129 + 4 * 3, slides), (2, b"FWS\x06" + bytes(30) + b"Text Flash aici\x00"),
            (3, ole + b"Foaie de calcul\x00\x00Valoare 12,5\x00")], ["MSWordDoc", "bjb", "\x00", "\xd0\xcf\x11\xe0"]


# ---- Zipped documents (selector: format = (byte & 0x7F) % 5 (docx, pptx, odt, odp, xps);
# high bit: the rest is the zip file, else a list of parts "name\n" bytes, joined by "\n@@ ")

REL_NS = "http://schemas.openxmlformats.org/package/2006/relationships"
OFFICE_DOC = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument"
W_NS = 'xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"'
A_NS = 'xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main"'
P_NS = 'xmlns:p="http://schemas.openxmlformats.org/presentationml/2006/main"'
R_NS = 'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'


def root_rels(target, kind=OFFICE_DOC):
    return ('<?xml version="1.0"?><Relationships xmlns="%s"><Relationship Id="rId1" Type="%s" Target="%s"/>'
            "</Relationships>" % (REL_NS, kind, target))


def docx_parts():
    doc = ('<?xml version="1.0" encoding="UTF-8"?><w:document %s><w:body>'
           '<w:p><w:pPr><w:jc w:val="both"/></w:pPr><w:r><w:rPr><w:b/></w:rPr><w:t>A fost odat\u0103</w:t></w:r>'
           '<w:r><w:tab/><w:t xml:space="preserve"> ca \u00een </w:t><w:br/><w:t>pove\u0219ti</w:t>'
           '<w:noBreakHyphen/></w:r><w:del><w:r><w:delText>\u0219ters</w:delText></w:r></w:del>'
           '<w:r><w:instrText>PAGE</w:instrText></w:r></w:p>'
           '<w:tbl><w:tblPr/><w:tr><w:tc><w:p><w:r><w:t>celul\u0103</w:t></w:r></w:p></w:tc></w:tr></w:tbl>'
           '<w:p><w:r><mc:AlternateContent xmlns:mc="x"><mc:Choice><w:txbxContent><w:p><w:r><w:t>caset\u0103'
           '</w:t></w:r></w:p></w:txbxContent></mc:Choice><mc:Fallback><w:t>copie</w:t></mc:Fallback>'
           '</mc:AlternateContent></w:r></w:p><w:sectPr/></w:body></w:document>') % W_NS
    return [("_rels/.rels", root_rels("word/document.xml")), ("word/document.xml", doc)]


def slide(text):
    return ('<?xml version="1.0"?><p:sld %s %s><p:cSld><p:spTree><p:nvGrpSpPr/><p:sp><p:nvSpPr/><p:spPr/>'
            '<p:txBody><a:p><a:r><a:rPr lang="ro-RO"/><a:t>%s</a:t></a:r><a:br/><a:r><a:t>al doilea</a:t></a:r>'
            '<a:endParaRPr/></a:p></p:txBody></p:sp></p:spTree></p:cSld></p:sld>') % (P_NS, A_NS, text)


def pptx_parts():
    pres = ('<?xml version="1.0"?><p:presentation %s %s><p:sldIdLst><p:sldId id="257" r:id="rId3"/>'
            '<p:sldId id="256" r:id="rId2"/></p:sldIdLst></p:presentation>') % (P_NS, R_NS)
    rels = ('<?xml version="1.0"?><Relationships xmlns="%s"><Relationship Id="rId2" Type="x/slide" '
            'Target="slides/slide1.xml"/><Relationship Id="rId3" Type="x/slide" Target="/ppt/slides/slide2.xml"/>'
            '</Relationships>') % REL_NS
    return [("_rels/.rels", root_rels("ppt/presentation.xml")), ("ppt/presentation.xml", pres),
            ("ppt/_rels/presentation.xml.rels", rels), ("ppt/slides/slide1.xml", slide("Primul")),
            ("ppt/slides/slide2.xml", slide("Al doilea diapozitiv \u0219i \u021b"))]


ODF_NS = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
          'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
          'xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"')


def odt_parts():
    content = ('<?xml version="1.0"?><office:document-content %s><office:body><office:text>'
               '<text:sequence-decls/><text:h>Titlu</text:h><text:p>A fost\n odat\u0103<text:s text:c="3"/>ca'
               '<text:tab/>\u00een<text:line-break/>pove\u0219ti<text:note><text:p>not\u0103</text:p></text:note>'
               '<text:span>!</text:span><draw:frame><draw:text-box><text:p>caset\u0103</text:p></draw:text-box>'
               '</draw:frame></text:p><text:list><text:list-item><text:p>element</text:p></text:list-item>'
               '</text:list></office:text></office:body></office:document-content>') % ODF_NS
    return [("mimetype", "application/vnd.oasis.opendocument.text"), ("content.xml", content)]


def odp_parts():
    content = ('<?xml version="1.0"?><office:document-content %s><office:body><office:presentation>'
               '<draw:page draw:name="p1"><draw:frame><draw:text-box><text:p>Primul diapozitiv</text:p>'
               '</draw:text-box></draw:frame></draw:page><draw:page><draw:frame><draw:text-box><text:p>Al doilea'
               '<text:s/>text</text:p></draw:text-box></draw:frame><presentation:notes><text:p>note</text:p>'
               '</presentation:notes></draw:page></office:presentation></office:body></office:document-content>'
               ) % ODF_NS
    return [("mimetype", "application/vnd.oasis.opendocument.presentation"), ("content.xml", content)]


def xps_parts():
    fixed = "http://schemas.microsoft.com/xps/2005/06/fixedrepresentation"
    seq = ('<FixedDocumentSequence xmlns="http://schemas.microsoft.com/xps/2005/06">'
           '<DocumentReference Source="Documents/1/FixedDoc.fdoc"/></FixedDocumentSequence>')
    doc = ('<FixedDocument xmlns="http://schemas.microsoft.com/xps/2005/06"><PageContent Source="Pages/1.fpage"/>'
           '<PageContent Source="../1/Pages/2.fpage"/></FixedDocument>')

    def page(a, b):
        return ('<FixedPage xmlns="http://schemas.microsoft.com/xps/2005/06" Width="816" Height="1056">'
                '<Canvas><Glyphs OriginX="10" OriginY="20" UnicodeString="%s"/><Glyphs OriginX="90" OriginY="20" '
                'UnicodeString="{}{acolad\u0103"/></Canvas><Glyphs OriginY="40" UnicodeString="%s"/></FixedPage>'
                % (a, b))
    return [("_rels/.rels", root_rels("FixedDocSeq.fdseq", fixed)), ("FixedDocSeq.fdseq", seq),
            ("Documents/1/FixedDoc.fdoc", doc), ("Documents/1/Pages/1.fpage", page("Pagina", "unu")),
            ("Documents/1/Pages/2.fpage", page("Pagina", "doi \u0219i \u021b"))]


def parts_text(parts):
    return b"\n@@ ".join(name.encode("utf-8") + b"\n" + body.encode("utf-8") for name, body in parts)


def zip_bytes(parts):
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w", zipfile.ZIP_DEFLATED) as z:
        for name, body in parts:
            z.writestr(name, body.encode("utf-8"))
    return buffer.getvalue()


def office_seeds():
    seeds = []
    for selector, parts in enumerate([docx_parts(), pptx_parts(), odt_parts(), odp_parts(), xps_parts()]):
        seeds.append((selector, parts_text(parts)))
        seeds.append((0x80 | selector, zip_bytes(parts)))
    # A presentation without a slide list: its slides by number.
    seeds.append((1, parts_text([p for p in pptx_parts() if p[0] != "ppt/_rels/presentation.xml.rels"])))
    # XPS pages found by name.
    seeds.append((4, parts_text([p for p in xps_parts() if p[0].endswith(".fpage")])))
    tokens = ["\n@@ ", "_rels/.rels", "word/document.xml", "ppt/presentation.xml", "ppt/slides/slide",
              "ppt/_rels/presentation.xml.rels", "content.xml", "FixedDocSeq.fdseq", ".fpage", ".fdoc", "<w:p>",
              "</w:p>", "<w:t>", "</w:t>", "<w:tab/>", "<w:br/>", "<w:del>", "<w:noBreakHyphen/>", "<a:p>",
              "<a:t>", "<a:br/>", "<p:sldId", "r:id=", "<text:p>", "<text:h>", "<text:s", "text:c=",
              "<text:tab/>", "<text:line-break/>", "<text:note>", "<draw:page>", "<office:text>",
              "<office:presentation>", "<office:body>", "<Glyphs", "UnicodeString=", "OriginY=", "<PageContent",
              "<DocumentReference", "Source=", "Target=", "Type=", "<Relationship", "/officeDocument",
              "/fixedrepresentation", "<![CDATA[", "]]>", "../", "<?xml", "?>", "PK\x03\x04", "PK\x01\x02",
              "PK\x05\x06"]
    return seeds, tokens


# ---- Romanian text in code page 1250

def encoded(text, codec):
    """The text in an 8-bit code page, whose s and t with a cedilla stand for
    the comma-below letters Romanian is written with."""
    return text.translate({0x218: 0x15E, 0x219: 0x15F, 0x21A: 0x162, 0x21B: 0x163}).encode(codec, errors="replace")


def cp1250(text):
    return encoded(text, "cp1250")


# ---- Scenario files (whole ".scn" files: code TAB name TAB value, CR LF)

def scn(lines, end="\r\n"):
    return cp1250("".join("\t".join(fields) + end for fields in lines))


# Groups and items of the mini edition: words, classes of the three levels,
# a substantive, a verb and an adjective; a hidden sub-group; an unknown
# substantive and a duplicated word.
SCENARIO = [
    ("G#0V", "1", "Locuri"), ("0#1#", "cas\u0103", "Locuri"), ("1#1#", "locuin\u021b\u0103", "Locuri"),
    ("S#1#", "\u021bar\u0103", "Locuri"), ("G#1V", "2", "Ape"), ("0#2#", "mare", "Ape"),
    ("2#2#", "natur\u0103", "Ape"), ("G#0V", "3", "Oameni"), ("3#1#", "via\u021b\u0103", "Oameni"),
    ("V#1#", "merge", "Oameni"), ("A#1#", "frumos", "Oameni"), ("0#1#", "bun\u0103_ziua", "Oameni"),
    ("G#1H", "4", "Ascuns"), ("0#2#", "vorb\u0103", "Ascuns"), ("0#2#", "cas\u0103", "Ascuns"),
    ("G#0V", "5", "Necunoscute"), ("S#1#", "nimic", "Necunoscute"),
]


def scenario_files():
    return [
        scn(SCENARIO),
        # Line ends LF only and CR only.
        scn(SCENARIO[:8], "\n"),
        scn(SCENARIO[:5], "\r"),
        # An old flat file: items only, their values naming the groups.
        scn([("0###", "cas\u0103", "Locuri"), ("0###", "om", "Locuri"), ("1###", "persoan\u0103", "Oameni"),
             ("0###", "mare", "Ape")]),
        # Blanks where newer files have '#', names that are no signature
        # (renumbering), a single TAB, a line without TAB, long fields.
        scn([("G  V", "x", "Vechi"), ("0 1 ", "om"), ("fara tab",), ("G#0V", "12", "A" * 90),
             ("0#1#", "b" * 100, "A"), ("G#1V", "-7", "Minus"), ("G#2H", "2147483647", "Maxim"),
             ("G#0V", "abc", "Dupa")]),
        # Depths that jump, a group line with an empty label, the same label
        # twice at one depth.
        scn([("G#0V", "1", "Unu"), ("G#3V", "2", "Trei"), ("0#4#", "om", "Trei"), ("G#0V", "3", ""),
             ("G#0V", "4", "Unu"), ("0#1#", "pas", "Unu"), ("G#9V", "5", "Noua"), ("0#9#", "zbor", "Noua")]),
        scn([("G#0V", "2147483646", "Sus"), ("G#0V", "x", "Peste")]),
        b"G#0V\t1\tZero\x00dupa\r\n0#1#\tom\x00\tZero\r\n" + b"0#1#\t" + b"c" * 600 + b"\r\n",
        # Saved by a text editor in UTF-8, with and without the mark.
        "".join("\t".join(fields) + "\r\n" for fields in SCENARIO[:9]).encode("utf-8"),
        b"\xef\xbb\xbf" + "".join("\t".join(fields) + "\n" for fields in SCENARIO[:5]).encode("utf-8"),
    ]


def scenario_tokens():
    return ["\t", "\r\n", "\n", "\xef\xbb\xbf", "\xc8\x9b", "G#0V", "G#1V", "G#2H", "G#9V", "0#1#", "1#1#", "2#2#", "3#1#", "A#1#", "S#1#",
            "V#1#", "?", "0", "-1", "2147483646", "2147483647", "2147483648", "-2147483648",
            cp1250("cas\u0103"), b"om", b"mare", cp1250("\u021bar\u0103"), b"merge", b"frumos",
            cp1250("locuin\u021b\u0103"), cp1250("persoan\u0103"), b"loc", b"abc"]


# ---- Settings files: damaged copies of a record the settings code wrote

SETTINGS_SIZE = 12816
SETTINGS_TRAILER_AT = 12812


def settings_files(out):
    folder = os.path.join(out, "seed-settings")
    written = sorted(f for f in os.listdir(folder) if f.startswith("prm-")) if os.path.isdir(folder) else []
    if not written:
        return []
    with open(os.path.join(folder, written[0]), "rb") as f:
        record = f.read()
    if len(record) != SETTINGS_SIZE:
        return []
    wrong_version = struct.pack("<I", 13) + record[4:]
    wrong_trailer = record[:SETTINGS_TRAILER_AT] + struct.pack("<I", 1234579)
    # Texts without their zero, and options outside their ranges.
    unterminated = bytearray(record)
    for at in (656, 1178, 1439, 1700, 9664):
        unterminated[at:at + 261] = b"x" * 261
    for at, value in ((362, 9), (376, 77), (378, 0), (372, 0), (364, 65535), (358, 0), (360, 65535), (352, 99)):
        unterminated[at:at + 2] = struct.pack("<H", value)
    return [record[:-1], record + b"extra", wrong_version, wrong_trailer, bytes(unterminated), b""]


def settings_tokens():
    return [struct.pack("<I", 14), struct.pack("<I", 1234578), b"\x00" * 4, b"\xff\xff", b".scn", b".dlm", b"/tmp"]


# ---- Parameter files (sections, keys, values)

def parameter_files():
    return [
        "[Seuils]\r\nBaseCalcul=propositions\r\n[Securite]\r\nAuthIndexation=oui\r\n[Reseau]\r\nClientServeur=oui\r\n"
        "IndexPosition=#\r\nProgsReadOnly=OUI\r\nMultiUserSetup=non\r\n[Ergonomie]\r\nSauverOptions=non\r\n"
        "Messages=Oui\r\nMessGenIndex=oui\r\n[Identification]\r\nIdent=\"Ma Instalare Foarte Lunga 123\"\r\n",
        "; comentariu\n# alt comentariu\n[reseau]\nclientserveur = non\nprogsreadonly = oui\n[RESEAU]\n"
        "ClientServeur=oui\n  continuare\n[Extension1]\nNom=x\n[Seuils]\nBaseCalcul=\nBaseCalcul=p\n",
        "[Ergonomie\nMessages=oui\n=fara cheie\nfara egal\n[]\nk=v\n[Identification]\nIdent = \"\"\n",
        b"\xef\xbb\xbf[Seuils]\nBaseCalcul: mots\n[Identification]\nIdent=" + b"A" * 300 + b"\n",
    ]


def parameter_tokens():
    return ["[Seuils]", "BaseCalcul=", "[Securite]", "AuthIndexation=", "[Reseau]", "ClientServeur=",
            "IndexPosition=", "ProgsReadOnly=", "MultiUserSetup=", "[Ergonomie]", "SauverOptions=", "Messages=",
            "MessGenIndex=", "[Identification]", "Ident=", "oui", "non", "OUI", "=", ":", ";", "#", '"', "[", "]",
            "\r\n", "\n", " ", "\xef\xbb\xbf"]


# ---- Request records of another program (2,167 bytes)

REQUEST_SIZE = 2167


def request(command, scenario=b"", path=b"", expression=b"", level=0, listing=b"", busy=False):
    record = bytearray(REQUEST_SIZE)
    record[0:4] = struct.pack("<I", command)
    for at, text in ((4, scenario), (265, path), (526, expression)):
        record[at:at + len(text)] = text
    record[787:787 + len(listing)] = listing
    record[2126:2128] = struct.pack("<H", level)
    record[2128] = 1 if busy else 0
    return bytes(record)


def request_files():
    def cp(text):
        return cp1250(text)
    listing = b"a.txt\r\nsub/b.txt\n   \n\t\n/tmp/c.txt\nd.txt"
    return [
        request(0, b"Concepts Romanian V8.scn", b"/tmp/text.txt", cp("cas\u0103 mare"), ord("2")),
        request(0, b"CONCEPTS ROMANIAN V8.SCN", b"text.txt", b"", 3),
        request(0, b"Alt scenariu.scn", b"x" * 260, b"e" * 200, 9),
        request(1, b"", b"list.lst", cp("\u021bar\u0103"), ord("4"), listing),
        request(1, b"", b"list.lst", b"", 0, b"singur.txt\n"),
        request(1, b"", b"list.lst", b"", 0, b"\n\n"),
        request(1, b"", b"lipsa.lst"),
        request(0, b"s.scn", b"t.txt", b"", 1, b"", True),
        request(2, b"s.scn", b"t.txt"),
        request(0, b"s.scn", b"t.txt")[:-1],
    ]


def request_tokens():
    return [b"list.lst", struct.pack("<I", 1), struct.pack("<I", 0), b".scn", b".txt", b"/", b"\n", b"\r\n", b"1",
            b"4"]


# ---- Texts for the whole analysis (selector: encoding in bits 0..2, the
# text as it is when bit 7 is set; see fuzz_text_analysis.cc)

TEXTS = [
    "Casa mare e frumoas\u0103. Oameni merg la mare \u0219i vorbesc: bun\u0103 ziua!",
    "\u021aar\u0103 de oameni \u0219i case; 3x pas, 12 robot, zbor \u00een ciuda faptului.\r\n"
    "Eu nu merg. El vine, venise, merg\u00e2nd. A\u0219 fi spus? Voi m\u00e2nca \u00eentr-un website ex-ministru.",
    "Subsemnatul promit: tot omul n-a mers de la casa mare. \u00ab Vorb\u0103 \u00bb \u2014 \u201cghilimele\u201d.",
    "  \r\n\r\n.... !!! ??? --- ''' ___ 1.5 2,5 $12 12$ %%% (\u0103) [\u00ee] {\u00e2} \u0218\u021a\u0102\u00ce\u00c2",
]


def text_seeds():
    seeds = []
    for text in TEXTS:
        cp = cp1250(text)
        for encoding in range(8):
            seeds.append((encoding, cp))
        seeds.append((0x80 | 1, text.encode("utf-8")))
        seeds.append((0x80 | 2, text.encode("utf-8")))
        seeds.append((0x80 | 3, text.encode("utf-16-le")))
        seeds.append((0x80 | 4, text.encode("utf-16-be")))
        seeds.append((0x80 | 5, encoded(text, "cp852")))
        seeds.append((0x80 | 6, encoded(text, "mac_roman")))
    # Options: relation levels 2..4, numbers as substantives, the end of the
    # first block in the middle of the text.
    cp = cp1250(TEXTS[1])
    for options in (0x08, 0x10, 0x18, 0x20, 0x40, 0x78):
        seeds.append((options, cp))
    for text in TEXTS[1:3]:
        for encoding in range(8):
            seeds.append((0x40 | encoding, cp1250(text)))
        seeds.append((0xC1, text.encode("utf-8")))
        seeds.append((0xC2, text.encode("utf-8")))
        seeds.append((0xC3, text.encode("utf-16-le")))
        seeds.append((0xC4, b"\x00" + text.encode("utf-16-be")))
    # Broken sequences: a cut UTF-8 sequence, a lone surrogate, an odd
    # UTF-16 length, a mark and nothing else.
    seeds += [(0x82, b"ab\xc8\x99\xc8"), (0x83, b"a\x00\x00\xd8b\x00"), (0x84, b"\x00a\x00"), (0x81, b"")]
    tokens = [" ", ". ", "! ", "? ", ", ", "; ", ": ", "\r\n", "-", "'", "_", '"', "(", ")",
              "\xef\xbb\xbf", "\xff\xfe", "\xfe\xff"]
    tokens += [cp1250(w) for w in ("cas\u0103", "om", "oameni", "mare", "vorb\u0103", "\u021bar\u0103",
                                            "merge", "frumos", "\u0219i", "\u00een", "ciuda", "faptului", "a\u0219",
                                            "fi", "voi", "bun\u0103", "ziua", "subsemnatul", "promit", "tot",
                                            "zbor", "vine", "n-a", "de la", "3x", "12", "robot", "nu", "eu", "el")]
    return seeds, tokens


# ---- Typed text of the word search box (code page 1250, no selector byte)

def criteria_seeds():
    return ["mare", "Om, -robot + cas\u0103", "de la", "\u00een ciuda faptului", "\u00eentr-un", "ex-ministru",
            "vorbe\u0219te frumoas\u0103", "12 3.5 12:30", "a eu el", "l'om a_b", "  ,+ - ' _ ",
            " ".join(["vorbi"] * 110), "z" * 90]


def criteria_tokens():
    return [" ", ",", "+", "-", "'", "_", ".", ":", "\x8c", "\xc6"] + [
        cp1250(w) for w in ("mare", "om", "robot", "cas\u0103", "vorbi", "vorbe\u0219te", "merge", "mers", "frumos",
                            "de", "la", "\u00een", "ciuda", "faptului", "\u00eentr", "un", "ex", "ministru", "a",
                            "eu", "12", "loc", "pas")]


# ---- OWL ontologies: a selector byte (the import's options), then the file

OWL_HEAD = ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<rdf:RDF xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#" '
            'xmlns:rdfs="http://www.w3.org/2000/01/rdf-schema#" xmlns:owl="http://www.w3.org/2002/07/owl#">\n')


def owl_class(ident, parent="", labels=()):
    s = '<owl:Class rdf:about="#%s">\n' % ident
    if parent:
        s += '  <rdfs:subClassOf rdf:resource="#%s"/>\n' % parent
    for lang, text in labels:
        tag = "synonym" if lang == "syn" else "rdfs:label"
        attr = "" if lang in ("syn", "") else ' xml:lang="%s"' % lang
        s += "  <%s%s>%s</%s>\n" % (tag, attr, text, tag)
    return s + "</owl:Class>\n"


def owl_seeds():
    body = (owl_class("Animal", "", [("ro", "Animal"), ("en", "Animal")]) +
            owl_class("Caine", "Animal", [("ro", "C\u00e2ine"), ("syn", "Dul\u0103u"), ("en", "Dog")]) +
            owl_class("Pisica", "Animal", [("ro", "Pisic\u0103 &amp; co &#233;")]) +
            owl_class("X", "Y", [("ro", "ics")]) + owl_class("Y", "X", [("ro", "igrec")]) +
            owl_class("Caine", "Pisica", [("ro", "dublu")]) + owl_class("Gol") +
            '<owl:Class rdf:about="#M"><rdfs:subClassOf><owl:Restriction><owl:onProperty rdf:resource="#p"/>'
            '<owl:someValuesFrom><owl:Class rdf:about="#Animal"/></owl:someValuesFrom></owl:Restriction>'
            '</rdfs:subClassOf><rdfs:comment>ma\u0219in\u0103</rdfs:comment></owl:Class>\n'
            '<owl:ObjectProperty rdf:about="#p"><rdfs:label>are</rdfs:label></owl:ObjectProperty>\n')
    deep = "".join(owl_class("L%d" % i, "L%d" % (i - 1) if i else "", [("", "nivel %d" % i)]) for i in range(11))
    whole = (OWL_HEAD + body + "</rdf:RDF>\n").encode("utf-8")
    seeds = [(0x00, whole), (0x03, whole), (0x7F, whole), (0x04, whole.replace(b"\xc3\xa2", b"\xe2")),
             (0x10, (OWL_HEAD + deep + "</rdf:RDF>\n").encode("utf-8")),
             (0x00, whole[:len(whole) // 2]), (0x00, b"<a><b></a>"), (0x00, b"")]
    tokens = ["<owl:Class", "</owl:Class>", 'rdf:about="#', 'rdf:ID="', 'rdf:resource="#', "<rdfs:subClassOf",
              "</rdfs:subClassOf>", "<owl:Restriction>", "</owl:Restriction>", "<rdfs:label", "</rdfs:label>",
              "<rdfs:comment>", "<synonym>", "</synonym>", 'xml:lang="ro"', 'xml:lang="en"', 'xml:lang="??"',
              "/>", ">", "&amp;", "&#233;", "&#x219;", "<![CDATA[", "]]>", "\xc4\x83", "\xe2\x80\x99"]
    return seeds, tokens


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for target, make in [("markup", markup_seeds), ("rtf", rtf_seeds), ("binary_document", binary_seeds),
                         ("office_package", office_seeds)]:
        seeds, tokens = make()
        write_corpus(out, target, seeds)
        write_dict(out, target, tokens)
    seeds, tokens = text_seeds()
    write_corpus(out, "text_analysis", seeds)
    write_dict(out, "text_analysis", tokens)
    for target in ("scenario_file", "scenario_layer"):
        write_files(out, target, scenario_files())
        write_dict(out, target, scenario_tokens())
    write_files(out, "criteria_parser", criteria_seeds())
    write_dict(out, "criteria_parser", criteria_tokens())
    write_files(out, "parameters", parameter_files())
    write_dict(out, "parameters", parameter_tokens())
    write_files(out, "external_request", request_files())
    write_dict(out, "external_request", request_tokens())
    seeds, tokens = owl_seeds()
    write_corpus(out, "owl_import", seeds)
    write_dict(out, "owl_import", tokens)
    write_files(out, "settings", settings_files(out))
    write_dict(out, "settings", settings_tokens())


if __name__ == "__main__":
    main()
