-- Articles and meal categories proposed to a new management file of a university residence:
-- unit prices in dinars (per kilogram unless the designation names another unit), empty store.

-- The base lists (020_base.sql) with the articles of the residents' breakfast and dinner, and a wider choice.

CREATE TABLE articles_organisme_5 (
    CODE_ART    INTEGER PRIMARY KEY,
    DESIGNATION VARCHAR(50),
    PU          DOUBLE,
    CODE_FOUR   INTEGER,
    QT31DEC     DOUBLE,
    PU31DEC     DOUBLE,
    VAL31DEC    DOUBLE
);

-- The common articles, with an empty store and no supplier.
INSERT INTO articles_organisme_5 (CODE_ART, DESIGNATION, PU, CODE_FOUR, QT31DEC, PU31DEC, VAL31DEC)
    SELECT CODE_ART, DESIGNATION, PU, 0, 0, 0, 0 FROM base_articles;
-- Those of the breakfast and dinner.
INSERT INTO articles_organisme_5 (CODE_ART, DESIGNATION, PU, CODE_FOUR, QT31DEC, PU31DEC, VAL31DEC)
    SELECT CODE_ART, DESIGNATION, PU, 0, 0, 0, 0 FROM base_articles_internat;

-- A wider choice for the students.
INSERT INTO articles_organisme_5 (CODE_ART, DESIGNATION, PU, CODE_FOUR, QT31DEC, PU31DEC, VAL31DEC) VALUES
    (102, 'SEMOULE MOYENNE', 52.00, 0, 0, 0, 0),
    (405, 'PATE A TARTINER', 1000.00, 0, 0, 0, 0),
    (608, 'FROMAGE ROUGE', 2000.00, 0, 0, 0, 0),
    (702, 'ESCALOPE DE DINDE', 1200.00, 0, 0, 0, 0),
    (707, 'CACHIR', 800.00, 0, 0, 0, 0),
    (904, 'MOUTARDE', 550.00, 0, 0, 0, 0),
    (908, 'MAIS DOUX EN CONSERVE', 450.00, 0, 0, 0, 0),
    (909, 'KETCHUP', 500.00, 0, 0, 0, 0);

-- No powdered flan.
DELETE FROM articles_organisme_5 WHERE CODE_ART = 409; -- FLAN EN POUDRE (SACHET)

CREATE TABLE categories_organisme_5 (
    code_categ INTEGER PRIMARY KEY,
    lib_fr     VARCHAR(50),
    lib_ar     VARCHAR(50)
);

INSERT INTO categories_organisme_5 (code_categ, lib_fr, lib_ar)
    SELECT code_categ, lib_fr, lib_ar FROM base_categories;

-- The diners are the students, living out or in the residence; 4 is the supervising staff.
INSERT OR REPLACE INTO categories_organisme_5 (code_categ, lib_fr, lib_ar) VALUES
    (1, 'Etudiants non résidents', 'الطلبة غير المقيمين'),
    (2, 'Etudiants résidents', 'الطلبة المقيمون'),
    (4, 'Personnel d''encadrement', 'مستخدمو التأطير');
