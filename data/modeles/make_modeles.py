#!/usr/bin/env python3
"""Makes the office templates that the exports fill (folder "modeles").

Each template carries the fixed texts, borders, formats and print settings of its document; the program
writes only the cells laid out here. Run: make_modeles.py OUTPUT_FOLDER (the build does it).
"""
import datetime
import os
import sys

from openpyxl import Workbook
from openpyxl.styles import Alignment, Border, Font, PatternFill, Side
from openpyxl.worksheet.pagebreak import Break

import docx
from docx.enum.section import WD_ORIENT
from docx.enum.table import WD_TABLE_ALIGNMENT
from docx.enum.text import WD_ALIGN_PARAGRAPH
from docx.oxml import OxmlElement
from docx.oxml.ns import qn
from docx.shared import Cm, Pt

# Fixed dates, so that the same sources give the same files.
FIXED = datetime.datetime(2009, 7, 26)

THIN = Side(style="thin")
MEDIUM = Side(style="medium")
BOX = Border(left=THIN, right=THIN, top=THIN, bottom=THIN)
BOLD = Font(name="Arial", size=10, bold=True)
PLAIN = Font(name="Arial", size=10)
CENTER = Alignment(horizontal="center", vertical="center", wrap_text=True)
LEFT = Alignment(horizontal="left", vertical="center")
WRAP = Alignment(horizontal="left", vertical="top", wrap_text=True)
RIGHT_TO_LEFT = Alignment(horizontal="right", vertical="center", readingOrder=2)
QUANTITY = "#,##0.00"
AMOUNT = "#,##0.00"


def workbook(sheet_name, title):
    wb = Workbook()
    ws = wb.active
    ws.title = sheet_name
    wb.properties.title = title
    wb.properties.creator = "Zelvane"
    wb.properties.created = FIXED
    wb.properties.modified = FIXED
    return wb, ws


def put(ws, ref, value=None, font=PLAIN, align=None, border=None, number_format=None, merge=None):
    cell = ws[ref]
    if value is not None:
        cell.value = value
    cell.font = font
    if align:
        cell.alignment = align
    if number_format:
        cell.number_format = number_format
    if merge:
        ws.merge_cells(f"{ref}:{merge}")
    if border:
        cells = ws[f"{ref}:{merge}"] if merge else ((cell,),)
        for row in cells:
            for c in row:
                c.border = border
    return cell


def widths(ws, **columns):
    for letter, width in columns.items():
        ws.column_dimensions[letter].width = width


def page(ws, paper, landscape):
    ws.page_setup.paperSize = paper
    ws.page_setup.orientation = "landscape" if landscape else "portrait"
    ws.sheet_properties.pageSetUpPr.fitToPage = True
    ws.page_setup.fitToWidth = 1
    ws.page_setup.fitToHeight = 0  # as many pages as the rows need, never a smaller type
    ws.page_margins.left = ws.page_margins.right = 0.4
    ws.page_margins.top = ws.page_margins.bottom = 0.5


def save(wb, folder, name):
    wb.save(os.path.join(folder, name))


# --- A3 consumption sheet -------------------------------------------------------------------------

A3_ROWS = 150  # article rows laid out from row 7


def consumption_a3(folder, name, creche):
    wb, ws = workbook("PAGE01", "FEUILLE CONSOMMATION JOURNALIERE")
    widths(ws, A=7, B=30, C=11, D=11, E=11, F=11, G=11, H=13, I=11, J=11, K=14, L=3, M=22, N=10, O=10, P=10)
    put(ws, "A1", None, BOLD, LEFT, merge="F1")
    put(ws, "A3", "FEUILLE DE CONSOMMATION JOURNALIERE", Font(name="Arial", size=16, bold=True), CENTER, merge="I3")
    put(ws, "J3", "Journée du :", BOLD, Alignment(horizontal="right", vertical="center"))
    put(ws, "L3", None, BOLD, LEFT, merge="N3")
    heads = [("A5", "A6", "Code"), ("B5", "B6", "Désignation"), ("C5", "D5", "Stock Veille"),
             ("E5", "F5", "Entrées"), ("G5", "H5", "Sorties"), ("I5", "K5", "Restes")]
    for start, end, text in heads:
        put(ws, start, text, BOLD, CENTER, BOX, merge=end)
    for ref, text in [("C6", "Quantité"), ("D6", "P.U"), ("E6", "Quantité"), ("F6", "P.U"), ("G6", "Quantité"),
                      ("H6", "Valeur"), ("I6", "Quantité"), ("J6", "P.U"), ("K6", "Valeur")]:
        put(ws, ref, text, BOLD, CENTER, BOX)
    for row in range(7, 7 + A3_ROWS):
        put(ws, f"A{row}", None, PLAIN, Alignment(horizontal="center"), BOX)
        put(ws, f"B{row}", None, PLAIN, LEFT, BOX)
        for col in "CDEFGHIJK":
            put(ws, f"{col}{row}", None, PLAIN, None, BOX, QUANTITY if col in "CEGI" else AMOUNT)
    # Head-counts of the day per category.
    for ref, text in [("M7", "Catégorie"), ("N7", "Petit Déj."), ("O7", "Déjeuner"), ("P7", "Dîner")]:
        put(ws, ref, text, BOLD, CENTER, BOX)
    # Every kind has seven categories.
    for row in range(8, 15):
        put(ws, f"M{row}", None, PLAIN, LEFT, BOX)
        for col in "NOP":
            put(ws, f"{col}{row}", None, PLAIN, Alignment(horizontal="center"), BOX, "0")
    # The day's menus.
    for label_row, first, last, text in [(23, 24, 31, "Menu du Petit Déjeuner"), (32, 33, 42, "Menu du Déjeuner"),
                                         (43, 44, 53, "Menu du Dîner")]:
        put(ws, f"M{label_row}", text, BOLD, CENTER, BOX, merge=f"P{label_row}")
        put(ws, f"M{first}", None, PLAIN, WRAP, BOX, merge=f"P{last}")
    if not creche:
        put(ws, "M57", "Valeur des sorties du petit déjeuner", BOLD, CENTER, BOX, merge="P57")
        put(ws, "M58", None, BOLD, CENTER, BOX, AMOUNT, merge="P58")
        put(ws, "M65", "Dépense du petit déjeuner par personne", BOLD, CENTER, BOX, merge="P65")
        put(ws, "M66", None, BOLD, CENTER, BOX, AMOUNT, merge="P66")
    put(ws, "M70", "L'Econome", BOLD, CENTER, merge="P70")
    ws.print_title_rows = "$5:$6"  # the absolute form, which LibreOffice reads
    page(ws, ws.PAPERSIZE_A3, True)
    save(wb, folder, name)


# --- Canteen daily sheet --------------------------------------------------------------------------

def canteen_sheet(folder):
    wb, ws = workbook("PAGE1", "FEUILLE JOURNALIERE DE CANTINE")
    widths(ws, A=30, B=11, C=28, D=11, E=2, F=2, G=20, H=10, I=10, J=10, K=10)
    put(ws, "A1", None, BOLD, RIGHT_TO_LEFT, merge="E1")
    put(ws, "A2", None, BOLD, LEFT, merge="E2")
    put(ws, "I2", "Le :", BOLD, Alignment(horizontal="right"))
    put(ws, "J2", None, BOLD, LEFT, merge="K2")
    put(ws, "A4", "FEUILLE JOURNALIERE DE CANTINE", Font(name="Arial", size=14, bold=True), CENTER, merge="K4")
    for ref, text in [("B6", "Quantité"), ("C6", "Désignation"), ("D6", "P.U")]:
        put(ws, ref, text, BOLD, CENTER, BOX)
    for row in range(7, 47):
        put(ws, f"B{row}", None, PLAIN, Alignment(horizontal="right"), BOX)
        put(ws, f"C{row}", None, PLAIN, LEFT, BOX)
        put(ws, f"D{row}", None, PLAIN, Alignment(horizontal="right"), BOX)
    for label_row, first, last, text in [(7, 8, 13, "Petit Déjeuner"), (14, 15, 20, "Déjeuner"),
                                         (21, 22, 27, "Dîner")]:
        put(ws, f"A{label_row}", text, BOLD, CENTER, BOX)
        put(ws, f"A{first}", None, PLAIN, WRAP, BOX, merge=f"A{last}")
    for ref, text in [("G7", "Catégorie"), ("H7", "Petit Déj."), ("I7", "Déjeuner"), ("J7", "Dîner"),
                      ("K7", "Effectif")]:
        put(ws, ref, text, BOLD, CENTER, BOX)
    for row in range(8, 12):
        put(ws, f"G{row}", None, PLAIN, LEFT, BOX)
        for col in "HIJK":
            put(ws, f"{col}{row}", None, PLAIN, Alignment(horizontal="center"), BOX, "0")
    put(ws, "G13", "Personnes nourries :", BOLD, LEFT, merge="J13")
    put(ws, "K13", None, BOLD, CENTER, BOX)
    put(ws, "G20", "Total des sorties :", BOLD, LEFT)
    put(ws, "H20", None, BOLD, Alignment(horizontal="right"), BOX, merge="K20")
    put(ws, "G25", "Dépense par personne nourrie :", BOLD, LEFT, merge="I25")
    put(ws, "J25", None, BOLD, Alignment(horizontal="right"), BOX, merge="K25")
    # The signatures beside the lines, which may run below the ruled rows.
    put(ws, "G30", "L'Econome", BOLD, CENTER, merge="H30")
    put(ws, "J30", "Le Directeur", BOLD, CENTER, merge="K30")
    # A long day continues on further pages at the same scale, under the same headings; the two tables side
    # by side take an A4 sheet across, which keeps their type at nearly its own size.
    ws.print_title_rows = "$6:$6"
    page(ws, ws.PAPERSIZE_A4, True)
    save(wb, folder, "FJ_cantine.xlsx")


# --- Canteen issue note ---------------------------------------------------------------------------

def issue_note(folder):
    wb, ws = workbook("PAGE1", "BON DE SORTIE CANTINE")
    widths(ws, A=10, B=16, C=20, D=14, E=14, F=20)
    put(ws, "A1", None, BOLD, RIGHT_TO_LEFT, merge="F1")
    put(ws, "A3", None, BOLD, LEFT, merge="F3")
    put(ws, "A7", "BON DE SORTIE CANTINE", Font(name="Arial", size=16, bold=True), CENTER, merge="F8")
    for start, end, text in [("A12", None, "Code"), ("B12", None, "Quantité"), ("C12", "F12", "Désignation")]:
        put(ws, start, text, BOLD, CENTER, BOX, merge=end)
    for row in range(13, 36):
        put(ws, f"A{row}", None, PLAIN, Alignment(horizontal="center"), BOX)
        put(ws, f"B{row}", None, PLAIN, Alignment(horizontal="right"), BOX)
        put(ws, f"C{row}", None, PLAIN, LEFT, BOX, merge=f"F{row}")
    for ref, end in [("A36", "B36"), ("D36", "E36"), ("F36", None)]:
        put(ws, ref, None, PLAIN, CENTER, merge=end)
    for ref, end, text in [("A37", "B37", "Le Magasinier"), ("D37", "E37", "L'Econome"),
                           ("F37", None, "Le Chef Cuisinier")]:
        put(ws, ref, text, BOLD, CENTER, merge=end)
    # A long day continues on further pages at the same scale, under the same headings.
    ws.print_title_rows = "$12:$12"
    page(ws, ws.PAPERSIZE_A4, False)
    save(wb, folder, "Bon_sortie_cantine.xlsx")


# --- Purchase invoice, second model ---------------------------------------------------------------

def invoice(folder):
    wb, ws = workbook("FACTURE", "Facture")
    # Widths that hold the longest order reference ("N°999999999 DU 31/12/2009"), a 50-character
    # designation and amounts up to 999 999 999.99 on A4 at nearly full scale: fitting a wider sheet to
    # the page would print its type below 6 points.
    for i in range(1, 29):
        letter = ws.cell(row=1, column=i).column_letter
        ws.column_dimensions[letter].width = 5.4 if i <= 6 else 3.3 if i <= 16 else 2.5 if i <= 19 else 1.8 if i <= 23 else 2.5
    put(ws, "B2", "FOURNISSEUR", Font(name="Arial", size=11, bold=True, underline="single"), LEFT, merge="K2")
    labels = ["Nom et Prénom :", "Raison Sociale :", "N° R.C :", "Code Fiscal :", "Art. d'Imposition :",
              "N.I.S :", "Compte :", "Adresse :", "Contact :"]
    for i, text in enumerate(labels):
        row = 6 + i
        put(ws, f"B{row}", text, BOLD, LEFT, merge=f"G{row}")
        put(ws, f"H{row}", None, PLAIN, LEFT, merge=f"T{row}")
    put(ws, "V6", "FACTURE", Font(name="Arial", size=18, bold=True), CENTER, Border(
        left=MEDIUM, right=MEDIUM, top=MEDIUM, bottom=MEDIUM), merge="AB7")
    put(ws, "V8", None, Font(name="Arial", size=12, bold=True), CENTER, merge="AB8")
    put(ws, "W12", None, BOLD, CENTER, merge="AB12")
    put(ws, "W13", None, BOLD, CENTER, merge="AB13")
    put(ws, "A18", "Doit :", BOLD, LEFT, merge="D18")
    put(ws, "E18", None, BOLD, LEFT, merge="AB18")
    # Row 20: carried to the foot of a full page; row 21: brought forward at the head of the next.
    put(ws, "Q20", "A REPORTER", BOLD, CENTER, BOX, merge="W20")
    put(ws, "X20", None, BOLD, Alignment(horizontal="right"), BOX, AMOUNT, merge="AB20")
    put(ws, "Q21", "REPORT", BOLD, CENTER, BOX, merge="W21")
    put(ws, "X21", None, BOLD, Alignment(horizontal="right"), BOX, AMOUNT, merge="AB21")
    columns = [("A", "C", "Bon de Commande"), ("D", "F", "Bon de Livraison"), ("G", "P", "Désignation"),
               ("Q", "S", "Quantité"), ("T", "W", "Prix Unitaire"), ("X", "AB", "Montant")]
    for first, last, text in columns:
        put(ws, f"{first}22", text, BOLD, CENTER, BOX, merge=f"{last}22")
    ws.row_dimensions[22].height = 27
    # Row 23: the model of one line.
    formats = {"Q": QUANTITY, "T": AMOUNT, "X": AMOUNT}
    for first, last, _ in columns:
        align = Alignment(horizontal="right") if first in formats else LEFT
        font = Font(name="Arial", size=8) if first in "AD" else PLAIN
        put(ws, f"{first}23", None, font, align, BOX, formats.get(first), merge=f"{last}23")
    # Rows 24 to 33: the totals block; V25 receives the TVA rate, row 28 the amount in words.
    put(ws, "Q24", "TOTAL H.T", BOLD, CENTER, BOX, merge="W24")
    put(ws, "X24", None, BOLD, Alignment(horizontal="right"), BOX, AMOUNT, merge="AB24")
    put(ws, "Q25", "T.V.A", BOLD, CENTER, BOX, merge="U25")
    put(ws, "V25", 0, BOLD, CENTER, BOX, "0%", merge="W25")
    put(ws, "X25", "=ROUND(X24*V25,2)", BOLD, Alignment(horizontal="right"), BOX, AMOUNT, merge="AB25")
    put(ws, "Q26", "TOTAL T.T.C", BOLD, CENTER, BOX, merge="W26")
    put(ws, "X26", "=X24+X25", BOLD, Alignment(horizontal="right"), BOX, AMOUNT, merge="AB26")
    put(ws, "A27", "Arrêtée la présente facture à la somme de :", BOLD, LEFT, merge="P27")
    put(ws, "B28", None, Font(name="Arial", size=10, italic=True, bold=True), WRAP, merge="AB29")
    ws.row_dimensions[28].height = 15
    # The print area ends on the block's sixth row: the signature stays beside the totals.
    put(ws, "B24", "Le Fournisseur", BOLD, CENTER, merge="L24")
    put(ws, "B25", "(Cachet et signature)", PLAIN, CENTER, merge="L25")
    page(ws, ws.PAPERSIZE_A4, False)
    save(wb, folder, "facture.xlsx")


# --- Weekly menus ---------------------------------------------------------------------------------

def rtl_paragraph(paragraph):
    p_pr = paragraph._p.get_or_add_pPr()
    p_pr.append(OxmlElement("w:bidi"))


def rtl_runs(paragraph):
    for run in paragraph.runs:
        r_pr = run._r.get_or_add_rPr()
        r_pr.append(OxmlElement("w:rtl"))


def table_rtl(table):
    tbl_pr = table._tbl.tblPr
    bidi = OxmlElement("w:bidiVisual")
    tbl_pr.insert(0, bidi) if tbl_pr.find(qn("w:tblStyle")) is None else tbl_pr.find(qn("w:tblStyle")).addnext(bidi)


def cell_text(cell, text, bold=False, size=11, arabic=False, align=WD_ALIGN_PARAGRAPH.CENTER):
    paragraph = cell.paragraphs[0]
    paragraph.alignment = align
    run = paragraph.add_run(text)
    run.bold = bold
    run.font.size = Pt(size)
    run.font.name = "Arial"
    r_pr = run._r.get_or_add_rPr()
    fonts = r_pr.find(qn("w:rFonts"))
    fonts.set(qn("w:cs"), "Arial")
    size_cs = OxmlElement("w:szCs")
    size_cs.set(qn("w:val"), str(size * 2))
    r_pr.append(size_cs)
    if bold:
        r_pr.append(OxmlElement("w:bCs"))
    if arabic:
        rtl_paragraph(paragraph)
        rtl_runs(paragraph)
    return paragraph


def weekly_document(arabic):
    document = docx.Document()
    document.core_properties.title = "MENU HEBDOMADAIRE"
    document.core_properties.author = "Zelvane"
    document.core_properties.created = FIXED
    document.core_properties.modified = FIXED
    document.core_properties.last_modified_by = "Zelvane"
    section = document.sections[0]
    section.orientation = WD_ORIENT.LANDSCAPE
    section.page_width, section.page_height = Cm(29.7), Cm(21.0)
    for side in ("left_margin", "right_margin", "top_margin", "bottom_margin"):
        setattr(section, side, Cm(1.0))
    return document


def spacer(document):
    """A small paragraph between two tables, which would otherwise make one table."""
    paragraph = document.add_paragraph()
    paragraph.paragraph_format.space_after = Pt(0)
    paragraph.add_run("").font.size = Pt(6)
    mark = paragraph._p.get_or_add_pPr()
    run_properties = OxmlElement("w:rPr")
    size = OxmlElement("w:sz")
    size.set(qn("w:val"), "12")
    run_properties.append(size)
    mark.append(run_properties)


def weekly_menu(folder, arabic):
    document = weekly_document(arabic)
    # Table 1: the heading lines.
    if arabic:
        heading = document.add_table(rows=2, cols=1)
        cell_text(heading.cell(0, 0), "", bold=True, size=12, arabic=True)
        cell_text(heading.cell(1, 0), "", bold=True, size=12, arabic=True)
        table_rtl(heading)
    else:
        heading = document.add_table(rows=5, cols=1)
        cell_text(heading.cell(0, 0), "REPUBLIQUE ALGERIENNE DEMOCRATIQUE ET POPULAIRE", bold=True, size=12)
        cell_text(heading.cell(1, 0), "", bold=True, size=11)
        cell_text(heading.cell(2, 0), "", size=2)
        cell_text(heading.cell(3, 0), "", size=2)
        cell_text(heading.cell(4, 0), "", bold=True, size=11)
    if arabic:
        # The republic's line goes above the heading table.
        p = document.add_paragraph()
        p.alignment = WD_ALIGN_PARAGRAPH.CENTER
        run = p.add_run("الجمهورية الجزائرية الديمقراطية الشعبية")
        run.bold = True
        run.font.size = Pt(13)
        rtl_paragraph(p)
        rtl_runs(p)
        heading._tbl.addprevious(p._p)
    spacer(document)
    # Table 2: the period.
    period = document.add_table(rows=1, cols=4)
    period.alignment = WD_TABLE_ALIGNMENT.CENTER
    if arabic:
        table_rtl(period)
        cell_text(period.cell(0, 0), "قائمـة الطعــام  مـن", bold=True, size=14, arabic=True)
        cell_text(period.cell(0, 1), "", bold=True, size=14, arabic=True)
        cell_text(period.cell(0, 2), "إلــى", bold=True, size=14, arabic=True)
        cell_text(period.cell(0, 3), "", bold=True, size=14, arabic=True)
    else:
        cell_text(period.cell(0, 0), "MENU HEBDOMADAIRE DU", bold=True, size=14)
        cell_text(period.cell(0, 1), "", bold=True, size=14)
        cell_text(period.cell(0, 2), "AU", bold=True, size=14)
        cell_text(period.cell(0, 3), "", bold=True, size=14)
    spacer(document)
    # Table 3: the days and their menus. Column 1 lies at the right in both documents.
    grid = document.add_table(rows=8, cols=4)
    grid.style = "Table Grid"
    grid.alignment = WD_TABLE_ALIGNMENT.CENTER
    table_rtl(grid)
    if arabic:
        titles = ["الأيـــام", "فطــور الصبـاح", "الفطــــور", "العشــــاء"]
        days = ["الأحــد", "الاثنــين", "الثـلاثـاء", "الأربعــاء", "الخميــس", "الجمعـــة", "السـبـت"]
        day_column = 0
    else:
        titles = ["Dîner", "Déjeuner", "Petit Déjeuner", "Jours"]
        days = ["Dimanche", "Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi"]
        day_column = 3
    for col, text in enumerate(titles):
        cell_text(grid.cell(0, col), text, bold=True, size=12, arabic=arabic)
    for row, day in enumerate(days, start=1):
        grid.rows[row].height = Cm(1.35)
        for col in range(4):
            if col == day_column:
                cell_text(grid.cell(row, col), day, bold=True, size=12, arabic=arabic)
            else:
                cell_text(grid.cell(row, col), "", size=10, arabic=arabic)
    widths_cm = [3.0, 7.8, 7.8, 7.8] if arabic else [7.8, 7.8, 7.8, 3.0]
    for row in grid.rows:
        for col, width in enumerate(widths_cm):
            row.cells[col].width = Cm(width)
    spacer(document)
    signatures = document.add_table(rows=1, cols=2)
    if arabic:
        table_rtl(signatures)
        cell_text(signatures.cell(0, 0), "الطبيــب", bold=True, arabic=True)
        cell_text(signatures.cell(0, 1), "المديــر", bold=True, arabic=True)
    else:
        cell_text(signatures.cell(0, 0), "LE MEDECIN", bold=True)
        cell_text(signatures.cell(0, 1), "LE DIRECTEUR", bold=True)
    document.save(os.path.join(folder, "menuh.docx" if arabic else "menuh_fr.docx"))


# --- any grid of the main window -------------------------------------------------------------------


def grid(folder):
    """A blank sheet whose first cells show the formats of an exported grid: A1 a column title, A2 a text,
    B2 a whole number and C2 a decimal figure. The export reads them, then writes the grid from row 1."""
    wb, ws = workbook("Grille", "Grille")
    put(ws, "A1", "Titre", font=BOLD, align=CENTER, border=BOX)
    ws["A1"].fill = PatternFill("solid", fgColor="D9D9D9")
    put(ws, "A2", "Texte", align=LEFT, border=BOX)
    put(ws, "B2", 1, align=Alignment(horizontal="right", vertical="center"), border=BOX, number_format="0")
    put(ws, "C2", 1.5, align=Alignment(horizontal="right", vertical="center"), border=BOX, number_format=AMOUNT)
    ws.freeze_panes = "A2"
    save(wb, folder, "grille.xlsx")


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    consumption_a3(folder, "FC_A3.xlsx", creche=False)
    consumption_a3(folder, "FC_A3_CRECHE.xlsx", creche=True)
    canteen_sheet(folder)
    issue_note(folder)
    invoice(folder)
    grid(folder)
    weekly_menu(folder, arabic=False)
    weekly_menu(folder, arabic=True)


if __name__ == "__main__":
    main()
