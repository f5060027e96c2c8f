-- Articles and meal categories proposed to a new management file of a central school canteen:
-- unit prices in dinars (per kilogram unless the designation names another unit), empty store.

-- The same lists as the primary-school canteen (030_kind_1.sql).

CREATE TABLE articles_organisme_4 (
    CODE_ART    INTEGER PRIMARY KEY,
    DESIGNATION VARCHAR(50),
    PU          DOUBLE,
    CODE_FOUR   INTEGER,
    QT31DEC     DOUBLE,
    PU31DEC     DOUBLE,
    VAL31DEC    DOUBLE
);

CREATE TABLE categories_organisme_4 (
    code_categ INTEGER PRIMARY KEY,
    lib_fr     VARCHAR(50),
    lib_ar     VARCHAR(50)
);

INSERT INTO articles_organisme_4 SELECT * FROM articles_organisme_1;
INSERT INTO categories_organisme_4 SELECT * FROM categories_organisme_1;
