#!/usr/bin/env python3
"""Writes the seed corpora and dictionaries of the format fuzz targets.

Usage: make_seeds.py OUT_DIR
Creates OUT_DIR/seed-<target>/ (one file per seed) and OUT_DIR/<target>.dict
for markup, rtf, binary_document and office_package. Every seed is made up
here; the first byte of each is the target's selector byte.
"""
import io
import os
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


def write_dict(out, target, tokens):
    with open(os.path.join(out, target + ".dict"), "w", encoding="ascii") as f:
        for t in tokens:
            escaped = "".join(c if 32 <= ord(c) < 127 and c not in '"\\' else "\\x%02X" % ord(c) for c in t)
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


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for target, make in [("markup", markup_seeds), ("rtf", rtf_seeds), ("binary_document", binary_seeds),
                         ("office_package", office_seeds)]:
        seeds, tokens = make()
        write_corpus(out, target, seeds)
        write_dict(out, target, tokens)


if __name__ == "__main__":
    main()
