-- Articles and meal categories proposed to a new management file of a middle school (CEM) with boarding:
-- unit prices in dinars (per kilogram unless the designation names another unit), empty store.

-- The base lists (020_base.sql) with the articles of the boarders' breakfast and dinner, and dried fruit.

CREATE TABLE articles_organisme_2 (
    CODE_ART    INTEGER PRIMARY KEY,
    DESIGNATION VARCHAR(50),
    PU          DOUBLE,
    CODE_FOUR   INTEGER,
    QT31DEC     DOUBLE,
    PU31DEC     DOUBLE,
    VAL31DEC    DOUBLE
);

-- The common articles, with an empty store and no supplier.
INSERT INTO articles_organisme_2 (CODE_ART, DESIGNATION, PU, CODE_FOUR, QT31DEC, PU31DEC, VAL31DEC)
    SELECT CODE_ART, DESIGNATION, PU, 0, 0, 0, 0 FROM base_articles;
-- Those of the breakfast and dinner.
INSERT INTO articles_organisme_2 (CODE_ART, DESIGNATION, PU, CODE_FOUR, QT31DEC, PU31DEC, VAL31DEC)
    SELECT CODE_ART, DESIGNATION, PU, 0, 0, 0, 0 FROM base_articles_internat;

-- Dried fruit.
INSERT INTO articles_organisme_2 (CODE_ART, DESIGNATION, PU, CODE_FOUR, QT31DEC, PU31DEC, VAL31DEC) VALUES
    (1207, 'RAISINS SECS', 900.00, 0, 0, 0, 0),
    (1208, 'PRUNEAUX', 1200.00, 0, 0, 0, 0);

-- No powdered flan.
DELETE FROM articles_organisme_2 WHERE CODE_ART = 409; -- FLAN EN POUDRE (SACHET)

CREATE TABLE categories_organisme_2 (
    code_categ INTEGER PRIMARY KEY,
    lib_fr     VARCHAR(50),
    lib_ar     VARCHAR(50)
);

INSERT INTO categories_organisme_2 (code_categ, lib_fr, lib_ar)
    SELECT code_categ, lib_fr, lib_ar FROM base_categories;

-- The diners are the half-boarders and the boarders.
INSERT OR REPLACE INTO categories_organisme_2 (code_categ, lib_fr, lib_ar) VALUES
    (1, 'Demi-pensionnaires', 'التلاميذ نصف الداخليين'),
    (2, 'Elèves internes', 'التلاميذ الداخليون');
