-- Kinds of establishment a management file can belong to, with their ministry of tutelage.

INSERT INTO organismes (organisme, libelle, ministere) VALUES
    (1, 'Cantine scolaire d''école primaire (demi-pension)', 'Ministère de l''Education Nationale'),
    (2, 'Collège d''enseignement moyen (CEM) avec internat', 'Ministère de l''Education Nationale'),
    (3, 'Crèche / Jardin d''enfants', 'Ministère de la Solidarité Nationale, de la Famille et de la Condition de la Femme'),
    (4, 'Cantine centrale de restauration scolaire', 'Ministère de l''Intérieur, des Collectivités Locales et de l''Aménagement du Territoire'),
    (5, 'Résidence universitaire (Office National des Œuvres Universitaires)', 'Ministère de l''Enseignement Supérieur et de la Recherche Scientifique'),
    (6, 'Lycée avec internat', 'Ministère de l''Education Nationale');
